#pragma once

#include "ui/view_input.h"

#include <optional>

class QEvent;
class QKeyEvent;
class QMouseEvent;

namespace vorn {

// The view key a key press stands for, if the views act on it.
std::optional<ViewKey> viewKeyFor(const QKeyEvent& event);

// The event as a key press when it is one of the Tab key: the views take Tab as an editing key
// before Qt uses it to move the focus.
QKeyEvent* tabPress(QEvent* event);

// A mouse event in the logic's terms.
MouseInput mouseInputFor(const QMouseEvent& event);

} // namespace vorn
