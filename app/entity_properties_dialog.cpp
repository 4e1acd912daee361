#include "entity_properties_dialog.h"

#include "class_field_editor.h"
#include "entity_creation_help_dialog.h"
#include "map_text.h"
#include "other_keys_table.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>
#include <span>

namespace vorn {
namespace {

// The common fields in the dialog's two columns, top to bottom.
constexpr std::array<EntityField, 8> kFirstColumn{EntityField::Light, EntityField::Target, EntityField::TargetName,
                                                  EntityField::Message, EntityField::Health, EntityField::Sounds,
                                                  EntityField::Height, EntityField::Map};
constexpr std::array<EntityField, 7> kSecondColumn{EntityField::Wait, EntityField::Speed, EntityField::Style, EntityField::Damage,
                                                   EntityField::Lip, EntityField::KillTarget, EntityField::NextThink};
constexpr std::array<const char*, kSkillCount> kSkillNames{"Easy", "Normal", "Difficult", "Deathmatch"};
// Rows of class fields shown before the list scrolls.
constexpr int kVisibleClassFields = 12;

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

std::vector<std::string> rowKeys(const EntityPropertiesForm& form)
{
    std::vector<std::string> keys;
    for (const FieldRow& row : form.fieldRows()) keys.push_back(row.key);
    return keys;
}

std::vector<int> flagBits(const EntityPropertiesForm& form)
{
    std::vector<int> bits;
    for (const FlagRow& row : form.flagRows()) bits.push_back(row.bit);
    return bits;
}

// Puts `now` where `before` was in the layout, and lets `before` go.
template <typename Widget>
void replace(QVBoxLayout* place, Widget*& before, Widget* now)
{
    place->replaceWidget(before, now);
    delete before;
    before = now;
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

    fieldsPlace_ = new QVBoxLayout;
    fieldsPlace_->addWidget(makeHead());
    fields_ = makeFields();
    fieldsPlace_->addWidget(fields_);
    fieldsPlace_->addStretch();
    flagsPlace_ = new QVBoxLayout;
    flagsPlace_->addWidget(help_);
    flagsGroup_ = makeFlags();
    flagsPlace_->addWidget(flagsGroup_);
    flagsPlace_->addWidget(makeSkills());
    flagsPlace_->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(fieldsPlace_);
    top->addLayout(flagsPlace_);
    otherKeys_ = new OtherKeysTable(form_.otherKeys, [this] { return form_.ownKeys(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(otherKeys_);
    layout->addWidget(buttons);

    showClass();
    connect(classList_, &QComboBox::currentTextChanged, this, &EntityPropertiesDialog::changeClass);
}

QWidget* EntityPropertiesDialog::makeHead()
{
    QStringList classNames;
    for (const std::string& name : EntityPropertiesForm::ClassNames(classes_)) classNames << fromMapText(name);
    classList_ = editableList(classNames, QStringLiteral("Classname"));
    classList_->setCurrentText(fromMapText(form_.className()));
    angle_ = editableList({"0", "45", "90", "135", "180", "225", "270", "315"}, QStringLiteral("Angle"));
    angle_->setCurrentText(fromMapText(form_.angle));

    auto* head = new QWidget;
    auto* rows = new QFormLayout(head);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addRow(QStringLiteral("Classname"), classList_);
    rows->addRow(QStringLiteral("Angle"), angle_);
    return head;
}

QWidget* EntityPropertiesDialog::makeFields()
{
    editors_.assign(form_.fieldRows().size(), nullptr);
    return form_.typedFields() ? makeClassFields() : makeCommonFields();
}

QWidget* EntityPropertiesDialog::makeCommonFields()
{
    auto* fields = new QWidget;
    auto* columns = new QHBoxLayout(fields);
    columns->setContentsMargins(0, 0, 0, 0);
    const auto addColumn = [&](std::span<const EntityField> column) {
        auto* rows = new QFormLayout;
        for (const EntityField field : column) {
            const auto& all = form_.fieldRows();
            const auto row = static_cast<size_t>(std::ranges::find(all, FieldInfo(field).key, &FieldRow::key) - all.begin());
            auto* edit = new QLineEdit(fromMapText(all[row].value));
            edit->setObjectName(label(field));
            rows->addRow(label(field), edit);
            editors_[row] = edit;
        }
        columns->addLayout(rows);
    };
    addColumn(kFirstColumn);
    addColumn(kSecondColumn);
    return fields;
}

QWidget* EntityPropertiesDialog::makeClassFields()
{
    auto* rows = new QWidget;
    auto* form = new QFormLayout(rows);
    const std::vector<FieldRow>& fieldRows = form_.fieldRows();
    for (size_t i = 0; i < fieldRows.size(); ++i) {
        EntityProperty property;
        property.key = fieldRows[i].key;
        if (const EntityProperty* described = form_.shownClass().property(property.key)) property = *described;
        QWidget* editor = MakeClassFieldEditor(property, fieldRows[i].value);
        auto* caption = new QLabel(fromMapText(fieldRows[i].key));
        caption->setToolTip(editor->toolTip());
        caption->setBuddy(editor);
        form->addRow(caption, editor);
        editors_[i] = editor;
    }
    auto* scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("Class fields"));
    scroll->setWidget(rows);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int rowHeight = rows->sizeHint().height() / std::max<int>(1, static_cast<int>(fieldRows.size()));
    scroll->setMinimumWidth(rows->sizeHint().width() + scroll->verticalScrollBar()->sizeHint().width());
    scroll->setFixedHeight(std::min(rows->sizeHint().height(), rowHeight * kVisibleClassFields) + 2 * scroll->frameWidth());
    return scroll;
}

QGroupBox* EntityPropertiesDialog::makeFlags()
{
    // Each box carries its flag's name, so name and box always share a row.
    auto* group = new QGroupBox(QStringLiteral("Spawnflags"));
    auto* rows = new QVBoxLayout(group);
    flags_.clear();
    for (const FlagRow& row : form_.flagRows()) {
        auto* box = new QCheckBox;
        box->setObjectName(QStringLiteral("Spawnflag %1").arg(1u << row.bit));
        box->setChecked(form_.flags[static_cast<size_t>(row.bit)]);
        rows->addWidget(box);
        flags_.push_back(box);
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

void EntityPropertiesDialog::changeClass(const QString& name)
{
    takeFields();
    const bool wasTyped = form_.typedFields();
    const std::vector<std::string> keys = rowKeys(form_);
    const std::vector<int> bits = flagBits(form_);
    form_.changeClass(toMapText(name), classes_);
    // The editors stay while the fields do, so that typing a class name keeps the focus and the text.
    if (form_.typedFields() != wasTyped || rowKeys(form_) != keys) replace(fieldsPlace_, fields_, makeFields());
    if (flagBits(form_) != bits) replace(flagsPlace_, flagsGroup_, makeFlags());
    otherKeys_->showRows();
    showClass();
}

void EntityPropertiesDialog::showClass()
{
    const std::vector<FlagRow> rows = form_.flagRows();
    for (size_t i = 0; i < rows.size(); ++i) {
        flags_[i]->setText(fromMapText(rows[i].label));
        flags_[i]->setToolTip(fromMapText(rows[i].help));
    }
    const EntityProperty* angle = form_.shownClass().property(form_.angleKey());
    angle_->setToolTip(angle ? fromMapText(ClassFieldTip(*angle)) : QString());
    help_->setText(fromMapText(form_.helpLine()));
    help_->setCursorPosition(0);
}

void EntityPropertiesDialog::takeFields()
{
    form_.angle = toMapText(angle_->currentText());
    std::vector<FieldRow>& rows = form_.fieldRows();
    for (size_t i = 0; i < rows.size(); ++i) rows[i].value = ClassFieldValue(*editors_[i]);
    const std::vector<FlagRow> flagRows = form_.flagRows();
    for (size_t i = 0; i < flagRows.size(); ++i) form_.flags[static_cast<size_t>(flagRows[i].bit)] = flags_[i]->isChecked();
    for (int s = 0; s < kSkillCount; ++s) form_.skills[static_cast<size_t>(s)] = skills_[static_cast<size_t>(s)]->isChecked();
}

void EntityPropertiesDialog::confirm()
{
    takeFields();
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
