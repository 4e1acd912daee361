#pragma once

#include "ui/camera_controller.h"
#include "ui/view_input.h"

#include <Qt>

#include <optional>
#include <span>

class QEvent;
class QKeyEvent;
class QMouseEvent;

namespace vorn {

// A key a view acts on: the Qt key, the view logic's name for it, and what it does there, as
// Help > Keyboard Shortcuts shows it.
template <typename Command>
struct KeyBinding {
    Qt::Key key;
    Command command;
    const char* action;
};

using ViewKeyTable = std::span<const KeyBinding<ViewKey>>;
using CameraKeyTable = std::span<const KeyBinding<CameraKey>>;

// The editing keys every view and the control panel handle alike.
ViewKeyTable commonViewKeys();
// The keys each view handles besides the common ones.
ViewKeyTable xyViewKeys();
ViewKeyTable zViewKeys();
CameraKeyTable cameraViewKeys();

// The view key a key press stands for in a view whose own keys are `ownKeys`, if the view acts
// on it: one of its own keys or a common one.
std::optional<ViewKey> viewKeyFor(const QKeyEvent& event, ViewKeyTable ownKeys = {});

// The camera key a key press in the camera view stands for, if any.
std::optional<CameraKey> cameraKeyFor(const QKeyEvent& event);

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
