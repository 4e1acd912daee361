#include "map_view_keys.h"

#include "view_keys.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <algorithm>

namespace vorn {
namespace {

// Keys a map view acts on: its editing keys without a modifier but Shift, and Ctrl+Tab.
bool isMapViewKey(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (event.key() == Qt::Key_Tab) return modifiers == Qt::NoModifier || modifiers == Qt::ControlModifier;
    if ((modifiers & ~Qt::ShiftModifier) != Qt::NoModifier) return false;
    const auto bound = [&](auto table) {
        return std::ranges::any_of(table, [&](const auto& binding) { return binding.key == event.key(); });
    };
    return bound(commonViewKeys()) || bound(xyViewKeys()) || bound(zViewKeys()) || bound(cameraViewKeys());
}

bool takesTyping(const QWidget* widget)
{
    if (qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QAbstractSpinBox*>(widget)) return true;
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(widget)) return !text->isReadOnly();
    if (const auto* text = qobject_cast<const QTextEdit*>(widget)) return !text->isReadOnly();
    return false;
}

} // namespace

MapViewKeys::MapViewKeys(QWidget& window, std::vector<QWidget*> views)
    : QObject(&window), window_(window), views_(std::move(views)), lastUsed_(views_.empty() ? nullptr : views_.front())
{
    qApp->installEventFilter(this);
}

QWidget* MapViewKeys::viewOf(QObject* object) const
{
    for (QObject* o = object; o; o = o->parent()) {
        if (const auto found = std::ranges::find(views_, o); found != views_.end()) return *found;
    }
    return nullptr;
}

QWidget* MapViewKeys::target() const
{
    QWidget* under = viewOf(QApplication::widgetAt(QCursor::pos()));
    if (under && under->isVisible()) return under;
    return lastUsed_ && lastUsed_->isVisible() ? lastUsed_.data() : views_.front();
}

bool MapViewKeys::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::FocusIn:
        if (QWidget* view = viewOf(watched)) lastUsed_ = view;
        return false;
    case QEvent::KeyPress:
        break;
    default:
        return false;
    }
    QWidget* focus = QApplication::focusWidget();
    // Only the key press as it reaches the focus widget of the main window, not as it goes on to
    // the widget's parents, nor in a dialog or a menu.
    if (forwarding_ || watched != focus || !focus || focus->window() != &window_ || QApplication::activePopupWidget() ||
        takesTyping(focus)) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    QWidget* view = target();
    if (!isMapViewKey(*key) || !view || viewOf(focus) == view) return false;
    forwarding_ = true;
    QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(), static_cast<ushort>(key->count()));
    QApplication::sendEvent(view, &copy);
    forwarding_ = false;
    return true;
}

} // namespace vorn
