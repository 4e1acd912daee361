#pragma once

#include "ui/view_input.h"

#include <Qt>

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

// True when a view still holds a press of `button` whose release it never got (it went to a popup
// or another window): Qt says the button is up, or it is being pressed anew. The view then ends
// that press before it handles the event.
bool pressWasLost(const QMouseEvent& event, Qt::MouseButton button, bool viewHoldsPress);

} // namespace vorn
