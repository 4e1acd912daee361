#include "class_field_editor.h"

#include "entities/entity_definition.h"
#include "map_text.h"

#include <QComboBox>
#include <QLineEdit>

namespace vorn {
namespace {

constexpr int kValueRole = Qt::UserRole;

// The label of a choice's value, or the value itself when no choice has it.
QString shownChoice(const EntityProperty& property, const std::string& value)
{
    for (const EntityChoice& choice : property.choices) {
        if (choice.value == value) return fromMapText(choice.label);
    }
    return fromMapText(value);
}

} // namespace

std::string ClassFieldTip(const EntityProperty& property)
{
    if (property.help.empty()) return property.label;
    return property.label.empty() ? property.help : property.label + "\n" + property.help;
}

QWidget* MakeClassFieldEditor(const EntityProperty& property, const std::string& value)
{
    const QString tip = fromMapText(ClassFieldTip(property));
    if (property.choices.empty()) {
        auto* edit = new QLineEdit(fromMapText(value));
        edit->setObjectName(fromMapText(property.key));
        edit->setPlaceholderText(fromMapText(property.defaultValue));
        edit->setToolTip(tip);
        return edit;
    }
    auto* list = new QComboBox;
    list->setObjectName(fromMapText(property.key));
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    for (const EntityChoice& choice : property.choices) {
        list->addItem(fromMapText(choice.label), fromMapText(choice.value));
        list->setItemData(list->count() - 1, fromMapText(choice.value), Qt::ToolTipRole);
    }
    list->setCurrentIndex(-1);
    list->setEditText(value.empty() ? QString() : shownChoice(property, value));
    list->lineEdit()->setPlaceholderText(property.defaultValue.empty() ? QString() : shownChoice(property, property.defaultValue));
    list->setToolTip(tip);
    return list;
}

std::string ClassFieldValue(const QWidget& editor)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(&editor)) return toMapText(edit->text());
    const auto& list = static_cast<const QComboBox&>(editor);
    const QString text = list.currentText();
    const int chosen = list.findText(text, Qt::MatchExactly);
    return toMapText(chosen >= 0 ? list.itemData(chosen, kValueRole).toString() : text);
}

} // namespace vorn
