#include "keyboard_shortcuts.h"

#include "view_keys.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace vorn {
namespace {

QString keyText(const QKeySequence& keys)
{
    return keys.toString(QKeySequence::NativeText);
}

// Keys that do the same share one row, in the order of their first key.
void addRow(ShortcutSection& section, const QString& keys, const QString& action)
{
    for (ShortcutRow& row : section.rows) {
        if (row.action == action) {
            row.keys += QStringLiteral(", ") + keys;
            return;
        }
    }
    section.rows.append({keys, action});
}

void addMenu(QList<ShortcutSection>& sections, const QMenu& menu, const QString& title)
{
    ShortcutSection section{title, {}};
    QList<const QMenu*> submenus;
    for (const QAction* action : menu.actions()) {
        if (const QMenu* submenu = action->menu()) {
            submenus.append(submenu);
            continue;
        }
        QStringList keys;
        for (const QKeySequence& shortcut : action->shortcuts()) keys.append(keyText(shortcut));
        if (!keys.isEmpty()) addRow(section, keys.join(QStringLiteral(", ")), QString(action->text()).remove(QLatin1Char('&')));
    }
    if (!section.rows.isEmpty()) sections.append(section);
    for (const QMenu* submenu : submenus) {
        addMenu(sections, *submenu, title + QStringLiteral(" > ") + submenu->title().remove(QLatin1Char('&')));
    }
}

template <typename Command>
ShortcutSection viewSection(const QString& title, std::span<const KeyBinding<Command>> keys)
{
    ShortcutSection section{title, {}};
    for (const KeyBinding<Command>& binding : keys) {
        addRow(section, keyText(QKeySequence(binding.key)), QString::fromUtf8(binding.action));
    }
    return section;
}

} // namespace

QList<ShortcutSection> keyboardShortcuts(const QMenuBar& menus, const QWidget& window)
{
    QList<ShortcutSection> sections;
    for (const QAction* action : menus.actions()) {
        if (const QMenu* menu = action->menu()) addMenu(sections, *menu, menu->title().remove(QLatin1Char('&')));
    }

    ShortcutSection windowKeys{QStringLiteral("Window"), {}};
    for (const QShortcut* shortcut : window.findChildren<QShortcut*>(Qt::FindDirectChildrenOnly)) {
        addRow(windowKeys, keyText(shortcut->key()), shortcut->whatsThis());
    }
    if (!windowKeys.rows.isEmpty()) sections.append(windowKeys);

    sections.append(viewSection(QStringLiteral("All views and the control panel"), commonViewKeys()));
    ShortcutSection views2D = viewSection(QStringLiteral("2D views"), xyViewKeys());
    addRow(views2D, keyText(QKeySequence(Qt::CTRL | Qt::Key_Tab)), QStringLiteral("Show the map from the next side: top, front, side"));
    sections.append(views2D);
    sections.append(viewSection(QStringLiteral("Z view"), zViewKeys()));
    sections.append(viewSection(QStringLiteral("Camera view"), cameraViewKeys()));
    return sections;
}

} // namespace vorn
