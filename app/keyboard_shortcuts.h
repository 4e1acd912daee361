#pragma once

#include <QList>
#include <QString>

class QMenuBar;
class QWidget;

namespace vorn {

// One line of Help > Keyboard Shortcuts: the keys (several when they do the same) and what they do.
struct ShortcutRow {
    QString keys;
    QString action;
    bool operator==(const ShortcutRow&) const = default;
};

// The keys of one menu, of the window, or of one view.
struct ShortcutSection {
    QString title;
    QList<ShortcutRow> rows;
};

// Every key of the editor, read from where the keys are defined, so that the list cannot drift
// from them: the shortcuts of the actions in `menus` (one section per menu and submenu, in menu
// order), the window's own shortcuts (the QShortcut children of `window`, described by their
// What's This text), then the key tables of the views.
QList<ShortcutSection> keyboardShortcuts(const QMenuBar& menus, const QWidget& window);

} // namespace vorn
