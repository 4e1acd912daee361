#include "editor/editor.h"
#include "editor_actions.h"
#include "main_frame.h"
#include "modal_answers.h"
#include "platform/host.h"
#include "vorn_application.h"
#include "xy_view_widget.h"
#include "z_view_widget.h"

#include <QAction>
#include <QMenuBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest/QtTest>

using namespace vorn;
using vorn::test::answerMessageBox;

namespace {

QString bundledSampleMap() { return QStringLiteral(VORN_RESOURCES_DIR "/maps/sample.map"); }

// Every action reachable from the menu bar, by name.
QStringList menuActionNames(QMenuBar* bar)
{
    QStringList names;
    std::function<void(const QList<QAction*>&)> walk = [&](const QList<QAction*>& actions) {
        for (QAction* action : actions) {
            if (action->menu()) {
                walk(action->menu()->actions());
            } else if (!action->objectName().isEmpty()) {
                names << action->objectName();
            }
        }
    };
    walk(bar->actions());
    return names;
}

void addBrush(Editor& editor)
{
    CQBrush brush;
    brush.MakeBox({0, 0, 0}, {64, 64, 64}, "WALL", editor.host());
    editor.map().AddBrush(brush);
    editor.updateViews(ViewFlags::All);
}

} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        settingsDir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(settingsDir_->isValid());
    }

    void firstStartGivesTheDefaults()
    {
        VornApplication app(settingsFile());
        app.start(QString());
        const Preferences& prefs = app.editor().prefs();
        QCOMPARE(prefs.xyGridSize, 16);
        QCOMPARE(prefs.xyGridShow, 1);
        QCOMPARE(prefs.xyGridSnap, 1);
        QCOMPARE(prefs.xyDrawNames, 1);
        QCOMPARE(prefs.xyScalePercent, 100);
        QCOMPARE(prefs.camOn, 0);
        QCOMPARE(prefs.camMode, 0x40);
        QCOMPARE(prefs.entityList, std::string("entities.qel"));
        QCOMPARE(prefs.curTexture, std::string("*NONE*"));
        QVERIFY(app.frame().windowState() & Qt::WindowMaximized);
        QVERIFY(app.editor().classes().count() > 50); // the bundled classes, no entity list here
        QCOMPARE(app.frame().windowTitle(), QStringLiteral("Untitled[*] - Vorn"));
        QCOMPARE(app.frame().outerSplitter()->sizes().first(), CMainFrame::kTopRowHeight);
    }

    void preferencesSurviveARestart()
    {
        {
            VornApplication app(settingsFile());
            app.start(QString());
            app.editor().xyView().setGridSize(64);
            app.editor().xyView().toggleGrid();
            app.editor().prefs().authorName = "Ann";
            QVERIFY(app.frame().close());
        }
        VornApplication again(settingsFile());
        QCOMPARE(again.editor().prefs().xyGridSize, 64);
        QCOMPARE(again.editor().prefs().xyGridShow, 0);
        QCOMPARE(again.editor().prefs().authorName, std::string("Ann"));
        QVERIFY(again.editor().prefs().xyPane.width > 0);
        QVERIFY(again.editor().prefs().mainWindow.isStored());
        QCOMPARE(again.editor().xyView().gridSize(), 64);
    }

    void menusAndToolbarHoldEveryCommandWithItsShortcuts()
    {
        VornApplication app(settingsFile());
        const EditorActions& actions = app.frame().actions();
        const QStringList inMenus = menuActionNames(app.frame().menuBar());
        for (const auto& [key, action] : actions.all()) {
            if (key.startsWith(QStringLiteral("brush.rotate")) || key.startsWith(QStringLiteral("brush.scale"))) continue;
            QVERIFY2(inMenus.contains(key), qPrintable(key));
        }
        const std::pair<const char*, const char*> shortcuts[] = {
            {"edit.selectAll", "Ctrl+A"}, {"edit.copy", "Ctrl+C"},  {"brush.entity", "Ctrl+E"},
            {"file.new", "Ctrl+N"},       {"file.open", "Ctrl+O"},  {"file.print", "Ctrl+P"},
            {"file.save", "Ctrl+S"},      {"edit.paste", "Ctrl+V"}, {"edit.cut", "Ctrl+X"},
            {"edit.undo", "Ctrl+Z"},      {"entity.properties", "F2"}, {"camera.refresh", "F5"}};
        for (const auto& [key, shortcut] : shortcuts) {
            QVERIFY2(actions[QString::fromLatin1(key)]->shortcuts().contains(QKeySequence(QString::fromLatin1(shortcut))), key);
        }
        QVERIFY(actions[QStringLiteral("edit.copy")]->shortcuts().contains(QKeySequence(QStringLiteral("Ctrl+Ins"))));
        QVERIFY(actions[QStringLiteral("edit.cut")]->shortcuts().contains(QKeySequence(QStringLiteral("Shift+Del"))));
        QVERIFY(actions[QStringLiteral("edit.paste")]->shortcuts().contains(QKeySequence(QStringLiteral("Shift+Ins"))));
        QVERIFY(!actions[QStringLiteral("edit.undo")]->isEnabled());
        QCOMPARE(actions[QStringLiteral("brush.rotateX")]->statusTip(),
                 QStringLiteral("Rotate brush selection around the x axis"));

        auto* toolBar = app.frame().findChild<QToolBar*>(QStringLiteral("toolBar"));
        QStringList order;
        for (QAction* action : toolBar->actions()) order << (action->isSeparator() ? QStringLiteral("|") : action->objectName());
        QCOMPARE(order.join(QLatin1Char(' ')),
                 QStringLiteral("file.new file.open file.save | edit.cut edit.copy edit.paste | view.grid view.classNames | "
                                "brush.rotateX brush.rotateBackX brush.rotateY brush.rotateBackY brush.rotateZ "
                                "brush.rotateBackZ | brush.scaleUp brush.scaleDown brush.stairs brush.ramp | edit.clipper | "
                                "camera.off camera.wireframe camera.unlitFlat camera.flatShaded camera.gouraud | help.about"));
    }

    void commandsActOnTheMap()
    {
        VornApplication app(settingsFile());
        app.start(sampleMap());
        const EditorActions& actions = app.frame().actions();
        Editor& editor = app.editor();
        QVERIFY(editor.map().EntityCount() > 5);

        actions[QStringLiteral("edit.selectAll")]->trigger();
        QCOMPARE(editor.map().entity(0).selectedCount(), editor.map().entity(0).brushCount());
        actions[QStringLiteral("view.grid")]->trigger();
        QVERIFY(!editor.xyView().showGrid());
        QVERIFY(!actions[QStringLiteral("view.grid")]->isChecked());
        actions[QStringLiteral("view.classNames")]->trigger();
        QVERIFY(!editor.xyView().drawClassNames());
        actions[QStringLiteral("edit.clipper")]->trigger();
        QVERIFY(editor.xyView().clipperMode());
        QVERIFY(actions[QStringLiteral("edit.clipper")]->isChecked());
        actions[QStringLiteral("build.qbspFull")]->trigger();
        QCOMPARE(app.frame().statusBar()->currentMessage(), QStringLiteral("Full is not available yet."));
    }

    void everyCommandRunsWithItsDialogsCancelled()
    {
        VornApplication app(settingsFile());
        app.start(sampleMap());
        app.editor().map().entity(0).brushes()[0].SetSelected(true);
        const vorn::test::ModalRejecter rejecter;
        for (const auto& [key, action] : app.frame().actions().all()) {
            if (key == QStringLiteral("file.exit") || key.startsWith(QStringLiteral("file.print"))) continue;
            action->trigger();
        }
        QVERIFY(app.frame().isVisible());
        QVERIFY(app.editor().map().EntityCount() > 0);
    }

    void changedMapAsksBeforeItIsDropped()
    {
        VornApplication app(settingsFile());
        app.start(sampleMap());
        Editor& editor = app.editor();
        const int entities = editor.map().EntityCount();
        addBrush(editor);
        QVERIFY(app.frame().isWindowModified());

        QString question;
        answerMessageBox(QMessageBox::Cancel, &question);
        app.frame().actions()[QStringLiteral("file.new")]->trigger();
        QCOMPARE(question, QStringLiteral("Save changes to sample.map?"));
        QCOMPARE(editor.map().EntityCount(), entities);

        answerMessageBox(QMessageBox::Cancel);
        QVERIFY(!app.frame().close());
        QVERIFY(app.frame().isVisible());

        answerMessageBox(QMessageBox::No);
        app.frame().actions()[QStringLiteral("file.new")]->trigger();
        QCOMPARE(editor.map().EntityCount(), 0);
        QVERIFY(!app.frame().isWindowModified());
    }

    void failedSaveReportsAndKeepsTheWork()
    {
        QTemporaryDir folder;
        const QString mapPath = folder.filePath(QStringLiteral("maps/level.map"));
        QVERIFY(QDir().mkpath(folder.filePath(QStringLiteral("maps"))));
        QVERIFY(QFile::copy(bundledSampleMap(), mapPath));
        VornApplication app(settingsFile());
        app.start(mapPath);
        addBrush(app.editor());
        QVERIFY(QDir(folder.filePath(QStringLiteral("maps"))).removeRecursively());

        QString message;
        answerMessageBox(QMessageBox::Ok, &message);
        app.frame().actions()[QStringLiteral("file.save")]->trigger();
        QCOMPARE(message, QStringLiteral("Could not save %1: No such file or directory").arg(mapPath));
        QVERIFY(app.editor().map().IsModifiedSinceSave());
        QVERIFY(app.frame().isWindowModified());
    }

    void savedMapLosesItsModifiedMark()
    {
        QTemporaryDir folder;
        const QString mapPath = folder.filePath(QStringLiteral("level.map"));
        QVERIFY(QFile::copy(bundledSampleMap(), mapPath));
        QFile::setPermissions(mapPath, QFile::ReadOwner | QFile::WriteOwner);
        VornApplication app(settingsFile());
        app.start(mapPath);
        QCOMPARE(app.frame().windowTitle(), QStringLiteral("level.map[*] - Vorn"));
        addBrush(app.editor());
        app.frame().actions()[QStringLiteral("file.save")]->trigger();
        QVERIFY(!app.frame().isWindowModified());
        VornApplication reopened(settingsFile());
        reopened.start(mapPath);
        QCOMPARE(reopened.editor().map().CountBrushes(), app.editor().map().CountBrushes());
    }

    void printingFollowsTheZAndCameraPanes()
    {
        VornApplication app(settingsFile());
        app.start(QString());
        QAction* print = app.frame().actions()[QStringLiteral("file.print")];
        app.frame().activateWindow();
        app.frame().xyPane()->setFocus();
        QCoreApplication::processEvents();
        QVERIFY(!print->isEnabled());
        app.frame().zPane()->setFocus();
        QCoreApplication::processEvents();
        QVERIFY(print->isEnabled());
    }

private:
    QString settingsFile() const { return settingsDir_->filePath(QStringLiteral("Vorn.conf")); }

    // A copy of the sample map that the test may change and save.
    QString sampleMap() const
    {
        const QString copy = settingsDir_->filePath(QStringLiteral("sample.map"));
        if (!QFile::exists(copy)) QFile::copy(bundledSampleMap(), copy);
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        return copy;
    }

    std::unique_ptr<QTemporaryDir> settingsDir_;
};

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
