#include "view_keys.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace vorn {

std::optional<ViewKey> viewKeyFor(const QKeyEvent& event)
{
    switch (event.key()) {
    case Qt::Key_Tab:
        return ViewKey::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return ViewKey::Enter;
    case Qt::Key_Escape:
        return ViewKey::Escape;
    case Qt::Key_Left:
        return ViewKey::Left;
    case Qt::Key_Right:
        return ViewKey::Right;
    case Qt::Key_Up:
        return ViewKey::Up;
    case Qt::Key_Down:
        return ViewKey::Down;
    case Qt::Key_Delete:
        return ViewKey::Delete;
    case Qt::Key_M:
        return ViewKey::M;
    case Qt::Key_Minus:
        return ViewKey::Minus;
    case Qt::Key_Slash:
        return ViewKey::Slash;
    case Qt::Key_PageUp:
        return ViewKey::PageUp;
    case Qt::Key_PageDown:
        return ViewKey::PageDown;
    default:
        return std::nullopt;
    }
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
