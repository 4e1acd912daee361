#include "camera_view.h"
#include "editor/editor.h"
#include "editor_actions.h"
#include "keyboard_shortcuts.h"
#include "main_frame.h"
#include "modal_answers.h"
#include "view_keys.h"
#include "fresh_app.h"
#include "xy_view_widget.h"
#include "z_view_widget.h"

#include <QAction>
#include <QKeyEvent>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest/QtTest>

#include <memory>
#include <set>

using namespace vorn;
using namespace vorn::test;

namespace {

QString keyText(QKeySequence keys)
{
    return keys.toString(QKeySequence::NativeText);
}

// The keys of a section as the dialog shows them, each key alone.
std::set<QString> keysOf(const ShortcutSection& section)
{
    std::set<QString> keys;
    for (const ShortcutRow& row : section.rows) {
        for (const QString& key : row.keys.split(QStringLiteral(", "))) keys.insert(key);
    }
    return keys;
}

template <typename Command>
std::set<QString> keysOf(std::span<const KeyBinding<Command>> table)
{
    std::set<QString> keys;
    for (const KeyBinding<Command>& binding : table) keys.insert(keyText(QKeySequence(binding.key)));
    return keys;
}

// Whether `view` acts on a press of `key`: a key it leaves alone comes back ignored.
bool takes(QWidget& view, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &press);
    return press.isAccepted();
}

// Keys a person may press in a view: letters, digits, function, editing and navigation keys.
QList<Qt::Key> candidateKeys()
{
    QList<Qt::Key> keys;
    for (int k = Qt::Key_A; k <= Qt::Key_Z; ++k) keys.append(static_cast<Qt::Key>(k));
    for (int k = Qt::Key_0; k <= Qt::Key_9; ++k) keys.append(static_cast<Qt::Key>(k));
    for (int k = Qt::Key_F1; k <= Qt::Key_F12; ++k) keys.append(static_cast<Qt::Key>(k));
    keys << Qt::Key_Left << Qt::Key_Right << Qt::Key_Up << Qt::Key_Down << Qt::Key_PageUp << Qt::Key_PageDown
         << Qt::Key_Home << Qt::Key_End << Qt::Key_Insert << Qt::Key_Delete << Qt::Key_Backspace << Qt::Key_Tab
         << Qt::Key_Return << Qt::Key_Enter << Qt::Key_Escape << Qt::Key_Space << Qt::Key_Minus << Qt::Key_Plus
         << Qt::Key_Equal << Qt::Key_Slash << Qt::Key_Backslash << Qt::Key_Asterisk << Qt::Key_Comma << Qt::Key_Period
         << Qt::Key_BracketLeft << Qt::Key_BracketRight << Qt::Key_Semicolon << Qt::Key_Apostrophe;
    return keys;
}

} // namespace

// Help > Keyboard Shortcuts against the keys the menus, the window and the views really have.
class KeyboardShortcutsTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        app_.renew();
        app_->start(QString());
    }

    void theHelpListHoldsEveryKeyOfTheMenusTheWindowAndTheViews()
    {
        QList<ShortcutSection> shown;
        whileModal([&] { app_->frame().actions()["help.shortcuts"]->trigger(); return 0; }, [&](QDialog& dialog) {
            QCOMPARE(dialog.windowTitle(), "Keyboard Shortcuts");
            auto* list = dialog.findChild<QTreeWidget*>("shortcuts");
            QVERIFY(list);
            for (int s = 0; s < list->topLevelItemCount(); ++s) {
                const QTreeWidgetItem* heading = list->topLevelItem(s);
                ShortcutSection section{heading->text(0), {}};
                for (int r = 0; r < heading->childCount(); ++r) section.rows.append({heading->child(r)->text(0), heading->child(r)->text(1)});
                shown.append(section);
            }
            dialog.reject();
        });
        const auto section = [&](const QString& title) {
            for (const ShortcutSection& s : shown) if (s.title == title) return s;
            return ShortcutSection{};
        };
        QStringList titles;
        for (const ShortcutSection& s : shown) titles << s.title;
        QCOMPARE(titles.join(" | "), "File | Edit | Edit > Face Texture | Brush | Entity | View | View > Camera | Build | Help | Window | "
                                     "All views and the control panel | 2D views | Z view | Camera view");

        // Every action's keys, under its own text; and no row that no action, shortcut or view key made.
        int rows = 0;
        for (const ShortcutSection& s : shown) rows += s.rows.size();
        int expectedRows = 0;
        for (const auto& [name, action] : app_->frame().actions().all()) {
            if (action->shortcuts().isEmpty()) continue;
            ++expectedRows;
            QStringList keys;
            for (const QKeySequence& shortcut : action->shortcuts()) keys << keyText(shortcut);
            bool listed = false;
            for (const ShortcutSection& s : shown) listed |= s.rows.contains(ShortcutRow{keys.join(", "), action->text().remove('&')});
            QVERIFY2(listed, qPrintable(name));
        }
        QCOMPARE(section("Help").rows, (QList<ShortcutRow>{{"F1", "Keyboard Shortcuts"}}));

        const QList<QShortcut*> windowKeys = app_->frame().findChildren<QShortcut*>(Qt::FindDirectChildrenOnly);
        QCOMPARE(section("Window").rows.size(), windowKeys.size());
        for (const QShortcut* shortcut : windowKeys) {
            QVERIFY(!shortcut->whatsThis().isEmpty());
            QVERIFY(section("Window").rows.contains(ShortcutRow{keyText(shortcut->key()), shortcut->whatsThis()}));
        }
        expectedRows += windowKeys.size();

        QCOMPARE(keysOf(section("All views and the control panel")), keysOf(commonViewKeys()));
        std::set<QString> keys2D = keysOf(xyViewKeys());
        keys2D.insert("Ctrl+Tab");
        QCOMPARE(keysOf(section("2D views")), keys2D);
        QCOMPARE(keysOf(section("Z view")), keysOf(zViewKeys()));
        QCOMPARE(keysOf(section("Camera view")), keysOf(cameraViewKeys()));
        // Return and Enter (the keypad's) do the same and share a row.
        QVERIFY(section("All views and the control panel").rows.contains(
            ShortcutRow{"Return, Enter", "Cut the selected brushes at the clip plane (clipper mode)"}));
        expectedRows += commonViewKeys().size() - 1 + xyViewKeys().size() + 1 + zViewKeys().size() + cameraViewKeys().size();
        QCOMPARE(rows, expectedRows);
    }

    // The key tables the list is made from are the ones the views act on: a key a view takes is
    // listed for it (or for all views), and a key listed for it is taken.
    void eachViewTakesExactlyTheKeysListedForIt()
    {
        app_->editor().workspace().toggleClipperMode(); // Enter acts only in clipper mode
        CMy3DCameraView camera(app_->editor());      // the pane holds a placeholder offscreen
        struct View {
            QWidget* widget;
            std::set<QString> listed;
        };
        const std::set<QString> common = keysOf(commonViewKeys());
        const auto with = [&](std::set<QString> own) { own.insert(common.begin(), common.end()); return own; };
        const View views[] = {{app_->frame().xyPane(), with(keysOf(xyViewKeys()))},
                              {app_->frame().zPane(), with(keysOf(zViewKeys()))},
                              {&camera, with(keysOf(cameraViewKeys()))}};
        for (const View& view : views) {
            for (const Qt::Key key : candidateKeys()) {
                const QString name = keyText(QKeySequence(key));
                QVERIFY2(takes(*view.widget, key) == view.listed.contains(name),
                         qPrintable(view.widget->objectName() + ": " + name));
            }
        }
    }

private:
    FreshApp app_;
};

QTEST_MAIN(KeyboardShortcutsTest)
#include "keyboard_shortcuts_test.moc"
