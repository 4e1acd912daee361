#include "other_keys_table.h"

#include "entities/other_keys.h"
#include "map_text.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>

namespace vorn {

OtherKeysTable::OtherKeysTable(OtherKeys& keys, std::function<std::vector<std::string>()> ownKeys, QWidget* parent)
    : QGroupBox(QStringLiteral("Other keys"), parent), keys_(keys), ownKeys_(std::move(ownKeys))
{
    table_ = new QTableWidget(0, 2);
    table_->setObjectName(QStringLiteral("Other keys"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Key"), QStringLiteral("Value")});
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    newKey_ = new QLineEdit;
    newKey_->setObjectName(QStringLiteral("New key"));
    newKey_->setPlaceholderText(QStringLiteral("Key"));
    newValue_ = new QLineEdit;
    newValue_->setObjectName(QStringLiteral("New value"));
    newValue_->setPlaceholderText(QStringLiteral("Value"));
    auto* add = new QPushButton(QStringLiteral("Add"));
    auto* remove = new QPushButton(QStringLiteral("Remove"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(table_, 0, 0, 1, 4);
    layout->addWidget(newKey_, 1, 0);
    layout->addWidget(newValue_, 1, 1);
    layout->addWidget(add, 1, 2);
    layout->addWidget(remove, 1, 3);
    layout->setColumnStretch(1, 1);

    showRows();
    connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) { changeRow(item->row()); });
    connect(add, &QPushButton::clicked, this, &OtherKeysTable::addRow);
    connect(remove, &QPushButton::clicked, this, &OtherKeysTable::removeRow);
}

void OtherKeysTable::showRows()
{
    const QSignalBlocker quiet(table_);
    table_->setRowCount(keys_.count());
    for (int row = 0; row < keys_.count(); ++row) {
        const OtherKeys::Row& pair = keys_.rows()[static_cast<size_t>(row)];
        table_->setItem(row, 0, new QTableWidgetItem(fromMapText(pair.key)));
        table_->setItem(row, 1, new QTableWidgetItem(fromMapText(pair.value)));
    }
}

void OtherKeysTable::changeRow(int row)
{
    const auto problem = keys_.set(row, toMapText(table_->item(row, 0)->text()), toMapText(table_->item(row, 1)->text()), ownKeys_());
    if (!problem) return;
    // Undone in place: the item being edited must outlive this signal.
    const OtherKeys::Row& kept = keys_.rows()[static_cast<size_t>(row)];
    {
        const QSignalBlocker quiet(table_);
        table_->item(row, 0)->setText(fromMapText(kept.key));
        table_->item(row, 1)->setText(fromMapText(kept.value));
    }
    refuse(*problem);
}

void OtherKeysTable::addRow()
{
    if (const auto problem = keys_.add(toMapText(newKey_->text()), toMapText(newValue_->text()), ownKeys_())) {
        refuse(*problem);
        return;
    }
    newKey_->clear();
    newValue_->clear();
    showRows();
    table_->scrollToBottom();
}

void OtherKeysTable::removeRow()
{
    const int row = table_->currentRow();
    if (row < 0 || row >= keys_.count()) return;
    keys_.remove(row);
    showRows();
}

void OtherKeysTable::refuse(const std::string& problem)
{
    QMessageBox::warning(this, QStringLiteral("Vorn"), fromMapText(problem));
}

} // namespace vorn
