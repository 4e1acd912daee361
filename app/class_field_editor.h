#pragma once

#include <string>

class QWidget;

namespace vorn {

struct EntityProperty;

// The editor of one key a definition file describes: a list of the choices' labels for a
// choices key (a value none of them has stays as typed), a text field for any other. The
// default shows greyed while the key is not set; the label and help are its tooltip.
QWidget* MakeClassFieldEditor(const EntityProperty& property, const std::string& value);

// The key's value as the editor holds it: a choice's value for its label, else the text.
std::string ClassFieldValue(const QWidget& editor);

// The tooltip of a key's row: its label and its help.
std::string ClassFieldTip(const EntityProperty& property);

} // namespace vorn
