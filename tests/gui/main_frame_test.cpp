#include "editor/editor.h"
#include "editor_actions.h"
#include "main_frame.h"
#include "map_edits.h"
#include "modal_answers.h"
#include "sample_map.h"
#include "fresh_app.h"
#include "xy_view_widget.h"
#include "z_view_widget.h"

#include <QAction>
#include <QMenuBar>
#include <QSettings>
#include <QSplitter>
#include <QToolBar>
#include <QtTest/QtTest>

using namespace vorn;
using namespace vorn::test;

namespace {

// Every action reachable from the menu bar, by name.
QStringList menuActionNames(const QList<QAction*>& actions)
{
    QStringList names;
    for (QAction* action : actions) names << (action->menu() ? menuActionNames(action->menu()->actions()) : QStringList(action->objectName()));
    return names;
}

} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        app_.renew();
        QCOMPARE(CopySampleMap(app_.folder().path()), sampleMap());
    }

    // The first start gives the defaults: four views with the camera on. Settings are written when
    // they change, as a crash would leave them, and when the window closes: the next start gets
    // them back, the layout and its panes' sizes among them.
    void firstStartGivesTheDefaultsAndARestartWhatWasSaved()
    {
        app_->start(QString());
        const Preferences& p = app_->editor().prefs();
        QCOMPARE(QList<int>({p.xyGridSize, p.xyGridShow, p.xyGridSnap, p.xyDrawNames, p.xyScalePercent, p.camOn, p.camMode}),
                 QList<int>({16, 1, 1, 1, 100, 1, 0x100}));
        QCOMPARE(p.entityList + " " + p.curTexture + " " + p.layout, "entities.qel *NONE* four");
        CMainFrame& frame = app_->frame();
        QVERIFY(frame.windowState() & Qt::WindowMaximized);
        QVERIFY(app_->editor().classes().count() > 50); // the bundled classes, no entity list here
        QCOMPARE(frame.windowTitle(), "Untitled[*] - Vorn");
        QVERIFY(frame.viewPane(1)->isVisible() && frame.viewPane(2)->isVisible() && !frame.zPane()->isVisible());
        QVERIFY(frame.actions()["view.layoutFour"]->isChecked());
        const QList<int> rows = frame.outerSplitter()->sizes();
        QVERIFY(std::abs(rows[0] - rows[1]) <= 2); // split in the middle
        // Printing follows the Z and camera panes.
        frame.activateWindow();
        frame.xyPane()->setFocus();
        QCoreApplication::processEvents();
        QVERIFY(!frame.actions()["file.print"]->isEnabled());
        frame.cameraPane()->setFocus();
        QCoreApplication::processEvents();
        QVERIFY(frame.actions()["file.print"]->isEnabled());

        const EditorActions& actions = app_->frame().actions();
        const auto stored = [&](const char* key) { return QSettings(app_.settingsFile(), QSettings::IniFormat).value(key).toString(); };
        whileModal([&] { actions["file.setup"]->trigger(); return 0; },
                   [](QDialog& setup) { QCOMPARE(submit(setup, {{"qbsp", "/tools/qbsp"}}), ""); });
        QTRY_COMPARE(stored("paths/qbsp"), "/tools/qbsp");

        // The Camera menu marks the one mode the camera is in, or Off.
        QVERIFY(!actions["camera.off"]->isChecked() && actions["camera.textured"]->isChecked());
        actions["camera.flatShaded"]->trigger();
        QStringList checked;
        for (const auto& [key, action] : actions.all()) if (key.startsWith("camera.") && action->isChecked()) checked << key;
        QCOMPARE(checked, QStringList{"camera.flatShaded"});

        const auto dragRows = [&] {
            QSplitterHandle* handle = frame.outerSplitter()->handle(1);
            QTest::mousePress(handle, Qt::LeftButton, {}, QPoint(20, 2));
            QTest::mouseMove(handle, QPoint(20, 82));
            QTest::mouseRelease(handle, Qt::LeftButton, {}, QPoint(20, 82));
            return frame.outerSplitter()->sizes().first();
        };
        const int cameraRow = dragRows();
        QVERIFY(cameraRow >= rows[0] + 60);
        QTRY_COMPARE(stored("preferences/fourcamheight").toInt(), cameraRow);

        // The classic layout: the top row of camera and control panel over the top and Z views.
        actions["view.layoutClassic"]->trigger();
        QVERIFY(!frame.viewPane(1)->isVisible() && frame.zPane()->isVisible());
        QTRY_VERIFY(frame.outerSplitter()->sizes().first() > 0);
        const int classicRow = frame.outerSplitter()->sizes().first();
        const int topRow = dragRows();
        QVERIFY(topRow >= classicRow + 60);
        QTRY_COMPARE(stored("preferences/camheight").toInt(), topRow);
        QTRY_COMPARE(stored("preferences/layout"), "classic");

        VornApplication next(app_.settingsFile());
        next.start(QString());
        QCOMPARE(next.editor().prefs().qbsp, "/tools/qbsp");
        QVERIFY(next.frame().zPane()->isVisible() && next.frame().actions()["view.layoutClassic"]->isChecked());
        QCOMPARE(next.frame().outerSplitter()->sizes().first(), topRow);
        QVERIFY(next.editor().cameraView().isOn() && next.frame().actions()["camera.flatShaded"]->isChecked());
        next.frame().actions()["view.layoutFour"]->trigger();
        QTRY_COMPARE(next.frame().outerSplitter()->sizes().first(), cameraRow);
        next.frame().close();

        app_->editor().workspace().setGridSize(64);
        app_->editor().xyView().toggleGrid();
        app_->editor().prefs().authorName = "Ann";
        QVERIFY(app_->frame().close());
        VornApplication again(app_.settingsFile());
        const Preferences& q = again.editor().prefs();
        QCOMPARE(QList<int>({q.xyGridSize, q.xyGridShow, again.editor().workspace().gridSize()}), QList<int>({64, 0, 64}));
        QCOMPARE(q.authorName, "Ann");
        QVERIFY(q.xyPane.width > 0 && q.mainWindow.isStored());
    }

    void menusAndToolbarHoldEveryCommandWithItsShortcuts()
    {
        const EditorActions& actions = app_->frame().actions();
        const QStringList inMenus = menuActionNames(app_->frame().menuBar()->actions());
        for (const auto& [key, action] : actions.all()) {
            if (!key.startsWith("brush.rotate") && !key.startsWith("brush.scale")) QVERIFY2(inMenus.contains(key), qPrintable(key));
        }
        const std::pair<const char*, const char*> shortcuts[] = {
            {"edit.selectAll", "Ctrl+A"}, {"edit.copy", "Ctrl+C"},      {"brush.entity", "Ctrl+E"},     {"file.new", "Ctrl+N"},
            {"file.open", "Ctrl+O"},      {"file.print", "Ctrl+P"},     {"file.save", "Ctrl+S"},        {"edit.paste", "Ctrl+V"},
            {"edit.cut", "Ctrl+X"},       {"edit.undo", "Ctrl+Z"},      {"entity.properties", "F2"},    {"camera.refresh", "F5"},
            {"build.compile", "F9"},      {"edit.copy", "Ctrl+Ins"},    {"edit.cut", "Shift+Del"},      {"edit.paste", "Shift+Ins"},
            {"edit.selectTexture", "Ctrl+T"}, {"edit.redo", "Ctrl+Shift+Z"}, {"edit.redo", "Ctrl+Y"},
            {"edit.duplicate", "Ctrl+D"},     {"edit.pasteInPlace", "Ctrl+Shift+V"}, {"edit.vertexMode", "V"},
            {"view.hideSelected", "H"},       {"view.showAll", "Shift+H"},  {"view.hideUnselected", "Alt+H"}};
        for (const auto& [key, shortcut] : shortcuts) QVERIFY2(actions[key]->shortcuts().contains(QKeySequence(shortcut)), key);
        QVERIFY(!actions["edit.undo"]->isEnabled() && !actions["edit.redo"]->isEnabled());
        QCOMPARE(actions["brush.rotateX"]->statusTip(), "Rotate brush selection around the x axis");

        QStringList order;
        for (QAction* a : app_->frame().findChild<QToolBar*>("toolBar")->actions()) order << (a->isSeparator() ? "|" : a->objectName());
        QCOMPARE(order.join(' '),
                 "file.new file.open file.save | edit.cut edit.copy edit.paste | view.grid view.classNames | "
                 "brush.rotateX brush.rotateBackX brush.rotateY brush.rotateBackY brush.rotateZ brush.rotateBackZ | "
                 "brush.scaleUp brush.scaleDown brush.stairs brush.ramp | edit.clipper edit.vertexMode edit.textureLock | "
                 "camera.off camera.wireframe camera.unlitFlat camera.flatShaded camera.gouraud camera.textured | help.about");
    }

    void commandsActOnTheMapAndEveryOneRunsWithItsDialogsCancelled()
    {
        app_->start(sampleMap());
        const EditorActions& actions = app_->frame().actions();
        Editor& editor = app_->editor();
        actions["edit.selectAll"]->trigger();
        QCOMPARE(editor.map().countSelectedBrushes(), editor.map().entity(0).brushCount());
        actions["view.grid"]->trigger();
        QVERIFY(!editor.xyView().showGrid() && !actions["view.grid"]->isChecked());
        actions["view.classNames"]->trigger();
        QVERIFY(!editor.xyView().drawClassNames());
        actions["edit.clipper"]->trigger();
        QVERIFY(editor.workspace().clipperMode() && actions["edit.clipper"]->isChecked());
        actions["edit.vertexMode"]->trigger(); // one of the two modes at a time
        QVERIFY(editor.workspace().vertexMode().isOn() && actions["edit.vertexMode"]->isChecked());
        QVERIFY(!editor.workspace().clipperMode() && !actions["edit.clipper"]->isChecked());
        actions["camera.wireframe"]->trigger();
        QCOMPARE(editor.prefs().camOn, 1);
        actions["camera.off"]->trigger();
        QCOMPARE(editor.prefs().camOn, 0);

        // None of them may crash or close the window.
        answerWhile(modalDialog, [](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); }, [&] {
            for (const auto& [key, action] : actions.all()) {
                if (key != "file.exit" && !key.startsWith("file.print")) action->trigger();
            }
        }, true);
        QVERIFY(app_->frame().isVisible() && editor.map().EntityCount() > 0);
    }

    // Undo and Redo name the step, take it back and do it again from the menu and the keys, and
    // the window's modified mark follows the saved state.
    void undoAndRedoFromTheMenuAndTheKeys()
    {
        app_->start(sampleMap());
        CMainFrame& frame = app_->frame();
        QAction* undo = frame.actions()["edit.undo"];
        QAction* redo = frame.actions()["edit.redo"];
        CQMap& map = app_->editor().map();
        // The map's text after its dated header.
        const auto text = [&map] {
            const std::string whole = map.WriteMapText("x.map", {});
            return whole.substr(whole.find("// Map Contains"));
        };
        map.selectBrush({0, 0}, true);
        const std::string before = text();
        whileModal([&] { return frame.actions()["brush.room"]->trigger(), 0; }, [](QDialog& d) { QCOMPARE(submit(d), ""); });
        const std::string after = text();
        QVERIFY(after != before);
        QCOMPARE(undo->text(), "&Undo Make Room");
        QVERIFY(undo->isEnabled() && !redo->isEnabled() && frame.isWindowModified());

        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        // The keys go to the XY view, as when the user works in it.
        QWidget* xy = frame.xyPane();
        xy->setFocus();
        QTest::keyClick(xy, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(text(), before);
        QVERIFY(!frame.isWindowModified() && !undo->isEnabled());
        QCOMPARE(redo->text(), "&Redo Make Room");
        QTest::keyClick(xy, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(text(), after);
        undo->trigger();
        QTest::keyClick(xy, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(text(), after);
        QVERIFY(frame.isWindowModified());
    }

    // A changed map is dropped only when the user says so; a failed save reports and keeps the
    // work and its mark, a saved map loses the mark.
    void changedMapAsksBeforeItIsDroppedAndAFailedSaveKeepsTheWork()
    {
        const QString folder = app_.folder().filePath("maps"), mapPath = folder + "/level.map";
        QVERIFY(QDir().mkpath(folder) && QFile::rename(sampleMap(), mapPath));
        const auto putArchive = [&] { return QFile::copy(app_.folder().filePath("vorn_sample.wad"), folder + "/vorn_sample.wad"); };
        QVERIFY(putArchive());
        app_->start(mapPath);
        QCOMPARE(app_->frame().windowTitle(), "level.map[*] - Vorn");
        CQMap& map = app_->editor().map();
        AddBox(map, {0, 0, 0}, {64, 64, 64});
        QAction* fileNew = app_->frame().actions()["file.new"];
        QCOMPARE(messageAfter([&] { fileNew->trigger(); }, QMessageBox::Cancel), "Vorn: Save changes to level.map?");
        QVERIFY(map.EntityCount() > 1);
        bool closed = true;
        QCOMPARE(messageAfter([&] { closed = app_->frame().close(); }, QMessageBox::Cancel), "Vorn: Save changes to level.map?");
        QVERIFY(!closed && app_->frame().isVisible());

        QVERIFY(QDir(folder).removeRecursively());
        QAction* save = app_->frame().actions()["file.save"];
        QCOMPARE(messageAfter([&] { save->trigger(); }), "Vorn: Could not save " + mapPath + ": No such file or directory");
        QVERIFY(map.IsModifiedSinceSave() && app_->frame().isWindowModified());
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(messageAfter([&] { save->trigger(); }), "");
        QVERIFY(!app_->frame().isWindowModified());
        QVERIFY(putArchive());
        VornApplication reopened(app_.settingsFile());
        reopened.start(mapPath);
        QCOMPARE(reopened.editor().map().CountBrushes(), map.CountBrushes());

        AddBox(map, {0, 0, 0}, {64, 64, 64});
        messageAfter([&] { fileNew->trigger(); }, QMessageBox::No);
        QCOMPARE(map.EntityCount(), 0);
        QVERIFY(!app_->frame().isWindowModified());
    }

private:
    // A copy of the sample map that the test may change and save.
    QString sampleMap() const { return app_.folder().filePath("sample.map"); }

    FreshApp app_;
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
