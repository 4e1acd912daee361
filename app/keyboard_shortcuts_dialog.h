#pragma once

#include "keyboard_shortcuts.h"

#include <QDialog>

class QMainWindow;

namespace vorn {

// Help > Keyboard Shortcuts: the keys of the menus, the window and the views, a section each.
class KeyboardShortcutsDialog : public QDialog {
    Q_OBJECT
public:
    explicit KeyboardShortcutsDialog(const QList<ShortcutSection>& sections, QWidget* parent = nullptr);
};

// Opens the list of the keys of `window` (its menu bar and its own shortcuts) and of the views, modally.
void showKeyboardShortcuts(QMainWindow& window);

} // namespace vorn
