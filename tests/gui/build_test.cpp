#include "build_controller.h"
#include "build_output_pane.h"
#include "compile_tools.h"
#include "document/selection_edits.h"
#include "editor/editor.h"
#include "editor_actions.h"
#include "main_frame.h"
#include "map_edits.h"
#include "modal_answers.h"
#include "sample_map.h"
#include "ui/leak_path_drawing.h"
#include "fresh_app.h"
#include "xy_view_widget.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest/QtTest>

using namespace vorn;
using namespace vorn::test;

namespace {

const QStringList kToolCommands{"build.qbspFull", "build.qbspEntities", "build.lightRegular", "build.lightExtra",
                                "build.visRegular",  "build.visFast",     "build.test",         "build.compile"};

QStringList enabledCommands(const EditorActions& actions)
{
    QStringList enabled;
    for (const QString& key : kToolCommands) if (actions[key]->isEnabled()) enabled << key;
    return enabled;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++count;
        return false;
    }
};

} // namespace

class BuildTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        app_.renew();
        QCOMPARE(CopySampleMap(app_.folder().path()), sampleMap());
        app_->start(sampleMap());
    }

    void outputStreamsIntoThePaneWhileTheWindowStaysLiveAndTheCommandsWait()
    {
        // Prints, then waits for the test to let it go; it gives up by itself so a blocked window fails the test.
        prefs().qbsp = script("qbsp", "echo \"first line in $PWD\"\necho 'to stderr' >&2\n"
                                      "for i in $(seq 200); do [ -e go ] && break; sleep 0.05; done\n"
                                      "[ -e go ] && echo 'second line' || echo 'gave up'\n")
                           .toStdString();
        actions()["build.qbspFull"]->trigger();
        QVERIFY(controller().running());
        BuildOutputPane* pane = controller().pane();
        QVERIFY(pane && pane->isVisible());
        const QPlainTextEdit* log = pane->findChild<QPlainTextEdit*>("buildLog");
        QTRY_VERIFY(log->toPlainText().contains("to stderr")); // shown while the tool runs
        QVERIFY(pane->text().startsWith("\n---------------------\nRunning QBsp\n---------------------\n"));
        QVERIFY(pane->text().contains("first line in " + app_.folder().path()));
        QVERIFY(!pane->text().contains("second line"));

        QCOMPARE(enabledCommands(actions()), QStringList());
        QVERIFY(actions()["build.clearLeak"]->isEnabled());
        PaintCounter paints;
        app_->frame().xyPane()->viewport()->installEventFilter(&paints);
        app_->frame().xyPane()->refresh();
        QTRY_VERIFY(paints.count > 0);
        QVERIFY(controller().running());

        QVERIFY(QFile(app_.folder().filePath("go")).open(QIODevice::WriteOnly));
        QTRY_VERIFY(pane->text().endsWith("second line\n\n---------------------\nQBsp finished\n---------------------\n"));
        QCOMPARE(enabledCommands(actions()), kToolCommands);
        QVERIFY(!pane->findChild<QPushButton*>("buildStop")->isEnabled());
    }

    void aFloodOfOutputKeepsTheLastLines()
    {
        prefs().qbsp = script("qbsp", "seq 30000\n").toStdString();
        const QStringList lines = ran("build.qbspFull").split('\n');
        QCOMPARE(lines.size(), 20000);
        QCOMPARE(lines.mid(lines.size() - 7).join('|'), "29999|30000||---------------------|QBsp finished|---------------------|");
        QCOMPARE(lines.first(), "10006"); // the banner's four lines went first
    }

    void stopEndsALongToolAndTheRestOfTheCompile()
    {
        prefs().qbsp = script("qbsp", "echo started\nexec sleep 30\n").toStdString();
        prefs().vis = script("vis", "echo vis ran\n").toStdString();
        prefs().light = prefs().vis;
        actions()["build.compile"]->trigger();
        QTRY_VERIFY(controller().pane()->text().contains("started"));
        QPushButton* stop = controller().pane()->findChild<QPushButton*>("buildStop");
        QVERIFY(stop->isEnabled());
        QTest::mouseClick(stop, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!controller().running(), 5000);
        QVERIFY(controller().pane()->text().endsWith("\n---------------------\nQBsp was stopped\n---------------------\n"));
        QVERIFY(!controller().pane()->text().contains("vis ran"));
        QCOMPARE(enabledCommands(actions()), kToolCommands);
    }

    void failuresReachThePaneAndACompileStopsAtTheFirstOne()
    {
        prefs().qbsp = app_.folder().filePath("no such/qbsp").toStdString();
        prefs().vis = script("vis", "echo \"vis $*\"\nexit 1\n").toStdString();
        prefs().light = script("light", "touch light-ran\n").toStdString();
        const QString rule(40, '-');
        QCOMPARE(ran("build.compile"), "\n---------------------\nRunning QBsp\n---------------------\n\n" + rule +
                                                  "\nFailed to launch QBsp:\n Can't find file " + app_.folder().filePath("no such/qbsp") +
                                                  "\n Check Vorn setup.\n" + rule + "\n");
        QCOMPARE(enabledCommands(actions()), kToolCommands);

        prefs().qbsp = script("qbsp", "exit 0\n").toStdString();
        const QString text = ran("build.compile");
        QVERIFY(text.contains("QBsp finished") && text.contains("vis " + app_.folder().filePath("sample.bsp") + "\n"));
        QVERIFY(text.endsWith("Vis had errors\n---------------------\n"));
        QVERIFY(!text.contains("Running Light") && !QFile::exists(app_.folder().filePath("light-ran")));

        QFile notAProgram(app_.folder().filePath("light.txt"));
        QVERIFY(notAProgram.open(QIODevice::WriteOnly));
        prefs().light = notAProgram.fileName().toStdString();
        QVERIFY(ran("build.lightExtra").endsWith("\nFailed to launch Light due to error 13\n" + rule + "\n"));
    }

    void theGameRunsInItsOwnFolderOnTheLevelCopiedIntoItsMaps()
    {
        QVERIFY(QDir(app_.folder().path()).mkpath("quake game"));
        prefs().quake = script("quake game/quake", "echo \"in $PWD:\"\nfor a in \"$@\"; do echo \"[$a]\"; done\n").toStdString();
        const QString bsp = app_.folder().filePath("sample.bsp");
        const QString copy = app_.folder().filePath("quake game/id1/maps/sample.bsp");
        // Nothing compiled yet: the copy fails, and the game does not start.
        QVERIFY(ran("build.test").endsWith("\nFailed to launch Quake:\n Could not copy " + bsp + " to " + copy +
                                                     ": No such file or directory\n" + QString(40, '-') + "\n"));

        QVERIFY(WriteFile(bsp, "level"));
        QVERIFY(ran("build.test").contains("in " + app_.folder().filePath("quake game") +
                                                     ":\n[-nolan]\n[+map]\n[sample]\n\n---------------------\nQuake finished"));
        QCOMPARE(FileBytes(copy), "level");
    }

    void aChangedMapIsOfferedForSavingAndARefusedCommandRunsNothing()
    {
        prefs().qbsp = script("qbsp", "touch qbsp-ran\n").toStdString();
        prefs().vis = prefs().light = script("vis", "exit 0\n").toStdString();
        AddBox(app_->editor().map(), {0, 0, 0}, {64, 64, 64});
        QCOMPARE(messageAfter([&] { actions()["build.qbspFull"]->trigger(); }, QMessageBox::Cancel),
                 "Vorn: Map has been modified since last save");
        QVERIFY(!controller().pane() && app_->editor().map().IsModifiedSinceSave());
        app_->frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&app_->frame()));
        QCOMPARE(messageAfter([&] { QTest::keyClick(app_->frame().xyPane(), Qt::Key_F9); }, QMessageBox::Save),
                 "Vorn: Map has been modified since last save");
        QVERIFY(!app_->editor().map().IsModifiedSinceSave());
        QTRY_VERIFY(controller().pane() && !controller().running());
        QVERIFY(QFile::exists(app_.folder().filePath("qbsp-ran")));

        app_->editor().map().NewMap();
        QCOMPARE(messageAfter([&] { actions()["build.qbspEntities"]->trigger(); }), "Vorn: You must save the map first.");
    }

    void aLeakEndsTheCompileWithALineThatNamesItAndThePaneShowsTheEnd()
    {
        // Prints more than the pane shows, leaves a point file once the test lets it go.
        prefs().qbsp = script("qbsp", "seq 400\nfor i in $(seq 200); do [ -e go ] && break; sleep 0.05; done\n"
                                      "printf '0 0 0\\n64 0 0\\n' > \"${1%.map}.pts\"\n")
                           .toStdString();
        prefs().vis = prefs().light = script("vis", "touch vis-ran\n").toStdString();
        actions()["build.compile"]->trigger();
        BuildOutputPane* pane = controller().pane();
        QTRY_VERIFY(pane->text().contains("\n400\n"));
        QVERIFY(pane->height() <= app_->frame().height() / 3);
        QScrollBar* bar = pane->findChild<QPlainTextEdit*>("buildLog")->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        bar->setValue(0); // the user scrolled up to read

        QVERIFY(QFile(app_.folder().filePath("go")).open(QIODevice::WriteOnly));
        QTRY_VERIFY(!controller().running());
        const QString pts = app_.folder().filePath("sample.pts");
        QVERIFY2(pane->text().endsWith("QBsp finished\n---------------------\n\nThe leak's path from " + pts +
                                       " is drawn in the XY view.\n\nThe map leaks (" + pts + "): Vis and Light were not run.\n"),
                 qPrintable(pane->text().right(300)));
        QVERIFY(!QFile::exists(app_.folder().filePath("vis-ran")));
        QCOMPARE(bar->value(), bar->maximum());
    }

    void theSampleMapCompilesAndAMapWithAWallMissingShowsItsLeak()
    {
        if (!RealToolsRun()) QSKIP("the compile tools or their libraries are not here");
        prefs().qbsp = RealTool("qbsp").toStdString();
        prefs().vis = RealTool("vis").toStdString();
        prefs().light = RealTool("light").toStdString();
        QString text = ran("build.compile", 60000);
        QVERIFY2(text.contains("QBsp finished") && text.contains("Vis finished") && text.contains("Light finished"), qPrintable(text));
        QVERIFY2(!text.contains(QChar(0x1b)) && !text.contains(QChar('\r')), "colours and progress lines are cleaned");
        QVERIFY(QFileInfo(app_.folder().filePath("sample.bsp")).size() > 0);
        QVERIFY(leakPath().pointsFor(app_->editor().map().pathName()).empty());

        // Without the southern wall of the first room the level is open to the void.
        CQMap& map = app_->editor().map();
        map.DeselectAll();
        const auto walls = map.entity(0).brushes();
        for (int b = 0; b < static_cast<int>(walls.size()); ++b) {
            const CQBrush& brush = walls[static_cast<size_t>(b)];
            if (brush.mins() == Vec3{-16, -16, 0} && brush.maxs() == Vec3{528, 0, 256}) map.selectBrush({0, b}, true);
        }
        QCOMPARE(map.countSelectedBrushes(), 1);
        DeleteSelection(map);
        const QString leaky = app_.folder().filePath("leaky.map");
        QVERIFY(app_->editor().saveMap(leaky.toStdString()));
        text = ran("build.compile", 60000);
        const QString pts = app_.folder().filePath("leaky.pts");
        QVERIFY2(text.endsWith("The leak's path from " + pts + " is drawn in the XY view.\n\nThe map leaks (" + pts +
                               "): Vis and Light were not run.\n"),
                 qPrintable(text));
        const std::span<const Vec3> leak = leakPath().pointsFor(leaky.toStdString());
        QVERIFY(leak.size() >= 2);
        QCOMPARE(app_->editor().xyView().centre(), (MapPoint{120, 18})); // the view moved to the path
        const QImage shown = app_->frame().xyPane()->viewport()->grab().toImage();
        const QRgb leakColour = qRgb(kLeakPathColour.r, kLeakPathColour.g, kLeakPathColour.b);
        const auto leakPixels = [&](const QImage& image) {
            int n = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == leakColour;
            }
            return n;
        };
        QVERIFY(leakPixels(shown) > 20);
        actions()["build.clearLeak"]->trigger();
        QVERIFY(leakPath().pointsFor(leaky.toStdString()).empty());
        QCOMPARE(leakPixels(app_->frame().xyPane()->viewport()->grab().toImage()), 0);
    }

private:
    QString sampleMap() const { return app_.folder().filePath("sample.map"); }
    const LeakPath& leakPath() const { return app_->editor().workspace().leakPath(); }
    Preferences& prefs() { return app_->editor().prefs(); }
    const EditorActions& actions() { return app_->frame().actions(); }
    BuildController& controller() { return *app_->frame().findChild<BuildController*>(); }
    // Runs a Build command and waits for its tools to end: the pane's text then.
    QString ran(const char* command, int timeout = 5000)
    {
        actions()[command]->trigger();
        QTest::qWaitFor([&] { return !controller().running(); }, timeout);
        return controller().running() ? QString("still running") : controller().pane()->text();
    }

    // A shell script standing in for a tool, in the test's folder.
    QString script(const QString& name, const QByteArray& body)
    {
        QFile file(app_.folder().filePath(name));
        if (!file.open(QIODevice::WriteOnly)) return {};
        file.write("#!/bin/sh\n" + body);
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return file.fileName();
    }

    FreshApp app_;
};

QTEST_MAIN(BuildTest)
#include "build_test.moc"
