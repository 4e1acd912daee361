#include "compile_tools.h"
#include "document/map_document.h"
#include "editor/editor.h"
#include "editor_actions.h"
#include "fresh_app.h"
#include "main_frame.h"
#include "map_edits.h"
#include "problems_dock.h"
#include "sample_map.h"
#include "xy_view_widget.h"

#include <QAction>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest/QtTest>

using namespace vorn;
using namespace vorn::test;

class ProblemsTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        app_.renew();
        QCOMPARE(CopySampleMap(app_.folder().path()), sampleMap());
        app_->start(sampleMap());
        app_->frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&app_->frame()));
    }

    // F8 shows the dock; a change is checked again in the background; a row selects and shows
    // what it is about; Fix is one step that Undo takes back; a kind can be hidden for the map.
    void theDockFollowsTheMapAndFixesWhatItCan()
    {
        key(Qt::Key_F8);
        QVERIFY(dock().isVisible());
        QVERIFY(actions()["view.problems"]->isChecked());
        QVERIFY(QTest::qWaitFor([&] { return dock().tree()->topLevelItemCount() == 0 && dock().windowTitle() == "Problems"; }));

        CQMap& map = app_->editor().map();
        const std::string before = EntitiesText(map);
        {
            MapChange change(map, "Add Entity");
            CQEntity door;
            door.SetValue("\"classname\"", "\"func_door\"");
            change.addEntity(std::move(door));
            change.commit();
        }
        QVERIFY(QTest::qWaitFor([&] { return dock().windowTitle() == "Problems (1)"; }));
        QTreeWidgetItem* heading = dock().tree()->topLevelItem(0);
        QCOMPARE(heading->text(0), QString("Brush entities without brushes (1)"));

        // A wall twice over is found too.
        const BrushId wall = map.entity(0).brush(2).id();
        {
            MapChange change(map, "Duplicate");
            change.addBrush(0, map.entity(0).brush(2));
            change.commit();
        }
        QVERIFY(QTest::qWaitFor([&] { return dock().windowTitle() == "Problems (2)"; }));
        const auto rowOf = [&](ProblemKind kind) {
            for (int i = 0; i < dock().tree()->topLevelItemCount(); ++i) {
                QTreeWidgetItem* item = dock().tree()->topLevelItem(i);
                if (item->data(0, Qt::UserRole + 1).toInt() == static_cast<int>(kind)) return item->child(0);
            }
            return static_cast<QTreeWidgetItem*>(nullptr);
        };
        QTreeWidgetItem* duplicate = rowOf(ProblemKind::DuplicateBrush);
        QVERIFY(duplicate);
        click(dock().tree()->visualItemRect(duplicate).center());
        QCOMPARE(map.countSelectedBrushes(), 1);
        const BrushLocation copy = map.firstSelectedBrush();
        QVERIFY(map.brush(copy).id() != wall);
        const Vec3 middle = map.brush(copy).Centre();
        QCOMPARE(app_->editor().xyView().centre(), (MapPoint{static_cast<int>(middle.x), static_cast<int>(middle.y)}));

        // Fix takes the duplicate and the empty door as one step.
        dock().tree()->selectAll();
        QVERIFY(fixButton().isEnabled());
        QTest::mouseClick(&fixButton(), Qt::LeftButton);
        QVERIFY(QTest::qWaitFor([&] { return dock().tree()->topLevelItemCount() == 0; }));
        QCOMPARE(map.undoName(), std::string("Fix Problems"));
        key(Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(QTest::qWaitFor([&] { return dock().windowTitle() == "Problems (2)"; }));

        click(dock().tree()->visualItemRect(rowOf(ProblemKind::EmptyBrushEntity)).center());
        QTest::mouseClick(button("&Hide Kind"), Qt::LeftButton);
        QCOMPARE(dock().windowTitle(), QString("Problems (1)"));
        QVERIFY(!rowOf(ProblemKind::EmptyBrushEntity));

        // Undo to the map as it was opened: nothing is left.
        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(EntitiesText(map), before);
        QVERIFY(QTest::qWaitFor([&] { return dock().windowTitle() == "Problems"; }));
        QVERIFY(dock().findChild<QLabel*>()->text().contains("no QBSP program is set"));
    }

    // With the real QBSP a save that opens the map to the void shows the leak without a compile,
    // and a save that seals it again clears it.
    void aSaveThatOpensTheMapShowsItsLeakAndASealedSaveClearsIt()
    {
        if (!RealToolsRun()) QSKIP("the compile tools or their libraries are not here");
        app_->editor().prefs().qbsp = RealTool("qbsp").toStdString();
        CQMap& map = app_->editor().map();
        const std::string path = map.pathName();
        map.DeselectAll();
        map.selectBrush({0, 2}, true); // the southern wall of the first room
        key(Qt::Key_Delete);
        QElapsedTimer sinceSave;
        key(Qt::Key_S, Qt::ControlModifier);
        sinceSave.start();
        QVERIFY(QTest::qWaitFor([&] { return dock().leakMark()->isVisible(); }, 20000));
        qInfo("a save to a leak shown: %lld ms", static_cast<long long>(sinceSave.elapsed()));
        QVERIFY(dock().isVisible());
        QVERIFY(!app_->editor().workspace().leakPath().pointsFor(path).empty());
        QCOMPARE(dock().tree()->topLevelItem(0)->text(0), QString("Leak (1)"));
        QVERIFY(dock().tree()->topLevelItem(0)->child(0)->text(0).startsWith("Leak: the map is open to the void, from (64 64 24) to"));

        key(Qt::Key_Z, Qt::ControlModifier);
        key(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(QTest::qWaitFor([&] { return !dock().leakMark()->isVisible(); }, 20000));
        QVERIFY(app_->editor().workspace().leakPath().pointsFor(path).empty());
        QVERIFY(QTest::qWaitFor([&] { return dock().tree()->topLevelItemCount() == 0; }));
    }

private:
    QString sampleMap() const { return app_.folder().filePath("sample.map"); }
    const EditorActions& actions() { return app_->frame().actions(); }
    ProblemsDock& dock() { return *app_->frame().problemsDock(); }
    QPushButton& fixButton() { return *button("&Fix"); }
    QPushButton* button(const QString& text)
    {
        for (QPushButton* b : dock().findChildren<QPushButton*>()) {
            if (b->text() == text) return b;
        }
        return nullptr;
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(static_cast<QWidget*>(app_->frame().xyPane()), key, modifiers);
    }
    void click(QPoint atRow) { QTest::mouseClick(dock().tree()->viewport(), Qt::LeftButton, {}, atRow); }

    FreshApp app_;
};

QTEST_MAIN(ProblemsTest)
#include "problems_test.moc"
