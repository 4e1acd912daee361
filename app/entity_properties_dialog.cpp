#include "entity_properties_dialog.h"

#include "entity_creation_help_dialog.h"
#include "map_text.h"
#include "other_keys_table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace vorn {
namespace {

// The text fields in the dialog's two columns, top to bottom.
constexpr std::array<EntityField, 8> kFirstColumn{EntityField::Light, EntityField::Target, EntityField::TargetName,
                                                  EntityField::Message, EntityField::Health, EntityField::Sounds,
                                                  EntityField::Height, EntityField::Map};
constexpr std::array<EntityField, 7> kSecondColumn{EntityField::Wait, EntityField::Speed, EntityField::Style, EntityField::Damage,
                                                   EntityField::Lip, EntityField::KillTarget, EntityField::NextThink};
constexpr std::array<const char*, kSkillCount> kSkillNames{"Easy", "Normal", "Difficult", "Deathmatch"};

QComboBox* editableList(const QStringList& items, const QString& name)
{
    auto* list = new QComboBox;
    list->setObjectName(name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->addItems(items);
    return list;
}

QString label(EntityField field)
{
    const std::string_view text = FieldInfo(field).label;
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

EntityPropertiesDialog::EntityPropertiesDialog(EntityPropertiesForm form, const EntityClassList& classes, QWidget* parent)
    : QDialog(parent), form_(std::move(form)), classes_(classes)
{
    setWindowTitle(QStringLiteral("Entity Properties"));
    help_ = new QLineEdit;
    help_->setObjectName(QStringLiteral("Help"));
    help_->setReadOnly(true);
    help_->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 36);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* moreInfo = buttons->addButton(QStringLiteral("More info"), QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &EntityPropertiesDialog::confirm);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(moreInfo, &QPushButton::clicked, this, &EntityPropertiesDialog::showHelp);

    auto* boxes = new QVBoxLayout;
    boxes->addWidget(help_);
    boxes->addWidget(makeFlags());
    boxes->addWidget(makeSkills());
    boxes->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(makeFields());
    top->addLayout(boxes);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(new OtherKeysTable(form_.otherKeys, [this] { return form_.ownKeys(); }));
    layout->addWidget(buttons);

    showClass();
    connect(classList_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        form_.changeClass(toMapText(name), classes_);
        showClass();
    });
}

QWidget* EntityPropertiesDialog::makeFields()
{
    QStringList classNames;
    for (const std::string& name : EntityPropertiesForm::ClassNames(classes_)) classNames << fromMapText(name);
    classList_ = editableList(classNames, QStringLiteral("Classname"));
    classList_->setCurrentText(fromMapText(form_.className()));
    angle_ = editableList({"0", "45", "90", "135", "180", "225", "270", "315"}, QStringLiteral("Angle"));
    angle_->setCurrentText(fromMapText(form_.angle));

    auto* fields = new QWidget;
    auto* columns = new QHBoxLayout(fields);
    columns->setContentsMargins(0, 0, 0, 0);
    auto* first = new QFormLayout;
    first->addRow(QStringLiteral("Classname"), classList_);
    first->addRow(QStringLiteral("Angle"), angle_);
    auto* second = new QFormLayout;
    const auto addField = [this](QFormLayout* column, EntityField field) {
        auto* edit = new QLineEdit(fromMapText(form_.field(field)));
        edit->setObjectName(label(field));
        column->addRow(label(field), edit);
        fields_[static_cast<size_t>(field)] = edit;
    };
    for (const EntityField field : kFirstColumn) addField(first, field);
    for (const EntityField field : kSecondColumn) addField(second, field);
    columns->addLayout(first);
    columns->addLayout(second);
    return fields;
}

QWidget* EntityPropertiesDialog::makeFlags()
{
    // Each box carries its flag's name, so name and box always share a row.
    auto* group = new QGroupBox(QStringLiteral("Spawnflags"));
    auto* rows = new QVBoxLayout(group);
    for (int n = 0; n < EntityClass::kFlagCount; ++n) {
        auto* box = new QCheckBox;
        box->setObjectName(QStringLiteral("Spawnflag %1").arg(1 << n));
        box->setChecked(form_.flags[static_cast<size_t>(n)]);
        rows->addWidget(box);
        flags_[static_cast<size_t>(n)] = box;
    }
    return group;
}

QWidget* EntityPropertiesDialog::makeSkills()
{
    auto* group = new QGroupBox(QStringLiteral("Skill Level"));
    auto* grid = new QGridLayout(group);
    for (int s = 0; s < kSkillCount; ++s) {
        auto* box = new QCheckBox(QString::fromLatin1(kSkillNames[static_cast<size_t>(s)]));
        box->setObjectName(box->text());
        box->setChecked(form_.skills[static_cast<size_t>(s)]);
        grid->addWidget(box, s / 2, s % 2);
        skills_[static_cast<size_t>(s)] = box;
    }
    return group;
}

std::optional<EntityPropertiesResult> EntityPropertiesDialog::run()
{
    if (exec() != QDialog::Accepted) return std::nullopt;
    return form_.ok();
}

void EntityPropertiesDialog::showClass()
{
    const auto names = form_.flagNames();
    for (int n = 0; n < EntityClass::kFlagCount; ++n) flags_[static_cast<size_t>(n)]->setText(fromMapText(names[static_cast<size_t>(n)]));
    help_->setText(fromMapText(form_.helpLine()));
    help_->setCursorPosition(0);
}

void EntityPropertiesDialog::confirm()
{
    form_.angle = toMapText(angle_->currentText());
    for (int f = 0; f < kEntityFieldCount; ++f) form_.field(static_cast<EntityField>(f)) = toMapText(fields_[static_cast<size_t>(f)]->text());
    for (int n = 0; n < EntityClass::kFlagCount; ++n) form_.flags[static_cast<size_t>(n)] = flags_[static_cast<size_t>(n)]->isChecked();
    for (int s = 0; s < kSkillCount; ++s) form_.skills[static_cast<size_t>(s)] = skills_[static_cast<size_t>(s)]->isChecked();
    if (const auto problem = form_.problem()) {
        QMessageBox::warning(this, QStringLiteral("Vorn"), fromMapText(*problem));
        return;
    }
    accept();
}

void EntityPropertiesDialog::showHelp()
{
    EntityCreationHelpDialog(form_.shownClass(), this).exec();
}

} // namespace vorn
