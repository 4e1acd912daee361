#include "view_keys.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace vorn {
namespace {

const KeyBinding<ViewKey> kCommonKeys[] = {
    {Qt::Key_Tab, ViewKey::Tab, "Make the next entity current"},
    {Qt::Key_Return, ViewKey::Enter, "Cut the selected brushes at the clip plane (clipper mode)"},
    {Qt::Key_Enter, ViewKey::Enter, "Cut the selected brushes at the clip plane (clipper mode)"},
    {Qt::Key_Escape, ViewKey::Escape, "Leave vertex mode; remove the clip points in clipper mode; otherwise deselect everything"},
    {Qt::Key_Delete, ViewKey::Delete, "Delete the selected brushes"},
    {Qt::Key_M, ViewKey::M, "Make the world the current entity"},
    {Qt::Key_Minus, ViewKey::Minus, "Subtract the selected brushes from the other brushes of their entity"},
    {Qt::Key_Slash, ViewKey::Slash, "Flip the clip plane (which side is kept)"},
    {Qt::Key_BracketLeft, ViewKey::GridFiner, "Halve the grid (down to 1 unit)"},
    {Qt::Key_BracketRight, ViewKey::GridCoarser, "Double the grid (up to 8192 units)"},
};

const KeyBinding<ViewKey> kXYKeys[] = {
    {Qt::Key_Left, ViewKey::Left, "Move the selection 16 units left (1 unit with snapping off); in vertex mode the selected handles a grid step"},
    {Qt::Key_Right, ViewKey::Right, "Move the selection 16 units right (1 unit with snapping off); in vertex mode the selected handles a grid step"},
    {Qt::Key_Up, ViewKey::Up, "Move the selection 16 units up (1 unit with snapping off); in vertex mode the selected handles a grid step"},
    {Qt::Key_Down, ViewKey::Down, "Move the selection 16 units down (1 unit with snapping off); in vertex mode the selected handles a grid step"},
    // The view leaves these to its scroll bars.
    {Qt::Key_PageUp, ViewKey::PageUp, "Scroll the view up by a screen"},
    {Qt::Key_PageDown, ViewKey::PageDown, "Scroll the view down by a screen"},
};

const KeyBinding<ViewKey> kZKeys[] = {
    {Qt::Key_PageUp, ViewKey::PageUp, "Scroll up 64 units"},
    {Qt::Key_PageDown, ViewKey::PageDown, "Scroll down 64 units"},
    {Qt::Key_Up, ViewKey::Up, "Scroll up 16 units"},
    {Qt::Key_Down, ViewKey::Down, "Scroll down 16 units"},
};

const KeyBinding<CameraKey> kCameraKeys[] = {
    {Qt::Key_Up, CameraKey::Up, "Move the camera 16 units forward"},
    {Qt::Key_Down, CameraKey::Down, "Move the camera 16 units back"},
    {Qt::Key_Left, CameraKey::Left, "Turn the camera 10 degrees left"},
    {Qt::Key_Right, CameraKey::Right, "Turn the camera 10 degrees right"},
    {Qt::Key_Z, CameraKey::Z, "Step the camera 16 units left"},
    {Qt::Key_X, CameraKey::X, "Step the camera 16 units right"},
    {Qt::Key_PageUp, CameraKey::PageUp, "Raise the camera 16 units"},
    {Qt::Key_PageDown, CameraKey::PageDown, "Lower the camera 16 units"},
    {Qt::Key_Home, CameraKey::Home, "Draw the camera view again"},
};

template <typename Command>
std::optional<Command> commandFor(const QKeyEvent& event, std::span<const KeyBinding<Command>> keys)
{
    for (const KeyBinding<Command>& binding : keys) {
        if (binding.key == event.key()) return binding.command;
    }
    return std::nullopt;
}

} // namespace

ViewKeyTable commonViewKeys()
{
    return kCommonKeys;
}

ViewKeyTable xyViewKeys()
{
    return kXYKeys;
}

ViewKeyTable zViewKeys()
{
    return kZKeys;
}

CameraKeyTable cameraViewKeys()
{
    return kCameraKeys;
}

std::optional<ViewKey> viewKeyFor(const QKeyEvent& event, ViewKeyTable ownKeys)
{
    if (const auto own = commandFor(event, ownKeys)) return own;
    return commandFor(event, commonViewKeys());
}

std::optional<CameraKey> cameraKeyFor(const QKeyEvent& event)
{
    return commandFor(event, cameraViewKeys());
}

QKeyEvent* tabPress(QEvent* event)
{
    if (event->type() != QEvent::KeyPress) return nullptr;
    auto* key = static_cast<QKeyEvent*>(event);
    return key->key() == Qt::Key_Tab ? key : nullptr;
}

MouseInput mouseInputFor(const QMouseEvent& event)
{
    const QPoint p = event.position().toPoint();
    return {p.x(), p.y(), (event.modifiers() & Qt::ShiftModifier) != 0, (event.modifiers() & Qt::ControlModifier) != 0,
            event.buttons() == Qt::LeftButton || (event.buttons() == Qt::NoButton && event.button() == Qt::LeftButton)};
}

bool pressWasLost(const QMouseEvent& event, Qt::MouseButton button, bool viewHoldsPress)
{
    if (!viewHoldsPress) return false;
    const bool thisButton = event.button() == button;
    if (event.type() == QEvent::MouseButtonRelease && thisButton) return false; // the release itself
    if (event.type() == QEvent::MouseButtonPress && thisButton) return true;
    return !(event.buttons() & button);
}

} // namespace vorn
