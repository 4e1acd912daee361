#include "map_properties_dialog.h"

#include "map_text.h"
#include "other_keys_table.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorn {
namespace {

QLineEdit* namedField(const QString& name, const std::string& text)
{
    auto* edit = new QLineEdit(fromMapText(text));
    edit->setObjectName(name);
    return edit;
}

} // namespace

MapPropertiesDialog::MapPropertiesDialog(MapPropertiesForm form, QWidget* parent) : QDialog(parent), form_(std::move(form))
{
    setWindowTitle(QStringLiteral("Map Properties"));
    name_ = namedField(QStringLiteral("Name"), form_.name);
    wad_ = namedField(QStringLiteral("Wadfile"), form_.wad);
    cdTrack_ = namedField(QStringLiteral("CD Track"), form_.cdTrack);
    worldType_ = namedField(QStringLiteral("Worldtype"), form_.worldType);
    wad_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40);
    auto* find = new QPushButton(QStringLiteral("Find Wad"));
    find->setAutoDefault(false);
    connect(find, &QPushButton::clicked, this, &MapPropertiesDialog::findWad);

    auto* wadRow = new QHBoxLayout;
    wadRow->addWidget(wad_);
    wadRow->addWidget(find);
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("Name"), name_);
    fields->addRow(QStringLiteral("Wadfile"), wadRow);
    fields->addRow(QStringLiteral("CD Track"), cdTrack_);
    fields->addRow(QStringLiteral("Worldtype"), worldType_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &MapPropertiesDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(new OtherKeysTable(form_.otherKeys, [] {
        const auto own = MapPropertiesForm::ownKeys();
        return std::vector<std::string>(own.begin(), own.end());
    }));
    layout->addWidget(buttons);
}

std::optional<MapPropertiesResult> MapPropertiesDialog::run()
{
    if (exec() != QDialog::Accepted) return std::nullopt;
    return form_.ok();
}

void MapPropertiesDialog::findWad()
{
    QFileDialog chooser(this, QStringLiteral("Find Wad"), QString(), QStringLiteral("WAD Files (*.wad);;All Files (*)"));
    chooser.setFileMode(QFileDialog::ExistingFile);
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
    // The path's own bytes, as the file system names it.
    wad_->setText(fromMapText(chooser.selectedFiles().constFirst().toUtf8().toStdString()));
}

void MapPropertiesDialog::confirm()
{
    form_.name = toMapText(name_->text());
    form_.wad = toMapText(wad_->text());
    form_.cdTrack = toMapText(cdTrack_->text());
    form_.worldType = toMapText(worldType_->text());
    if (const auto problem = form_.problem()) {
        QMessageBox::warning(this, QStringLiteral("Vorn"), fromMapText(*problem));
        return;
    }
    accept();
}

} // namespace vorn
