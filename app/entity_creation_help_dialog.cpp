#include "entity_creation_help_dialog.h"

#include "entities/entity_class.h"
#include "map_text.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace vorn {

EntityCreationHelpDialog::EntityCreationHelpDialog(const EntityClass& entityClass, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Entity Creation Help"));
    auto* name = new QLineEdit(fromMapText(entityClass.name()));
    name->setObjectName(QStringLiteral("Entity Type:"));
    name->setReadOnly(true);
    auto* help = new QListWidget;
    help->setObjectName(QStringLiteral("Help"));
    help->setSelectionMode(QAbstractItemView::NoSelection);
    for (int line = 0; line < entityClass.commentCount(); ++line) help->addItem(fromMapText(entityClass.commentLine(line)));
    help->setMinimumWidth(help->sizeHintForColumn(0) + 2 * help->frameWidth() + 24);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Entity Type:"), name);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(help);
    layout->addWidget(buttons);
}

} // namespace vorn
