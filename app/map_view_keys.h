#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

class QKeyEvent;

namespace vorn {

// Sends the map views' keys to the view under the mouse, or to the view used last when the mouse
// is elsewhere, wherever in the main window the keyboard focus is, unless it is in a field that
// takes typing: a click into the build output pane or a panel then does not swallow them.
class MapViewKeys final : public QObject {
public:
    MapViewKeys(QWidget& window, std::vector<QWidget*> views);

    // The view the keys go to when the mouse is over none.
    QWidget* lastUsed() const { return lastUsed_; }
    // The view the keys go to: the one under the mouse, or else the one used last.
    QWidget* target() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The map view the object is or lies in, if any.
    QWidget* viewOf(QObject* object) const;

    QWidget& window_;
    std::vector<QWidget*> views_;
    QPointer<QWidget> lastUsed_;
    bool forwarding_ = false;
};

} // namespace vorn
