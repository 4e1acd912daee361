#include "compile_tools.h"
#include "editor/editor.h"
#include "editor_actions.h"
#include "fresh_app.h"
#include "geometry/brush_shape.h"
#include "main_frame.h"
#include "map/brush_text.h"
#include "map_edits.h"
#include "xy_view_widget.h"

#include <QAction>
#include <QCursor>
#include <QFile>
#include <QtTest/QtTest>

#include <set>
#include <tuple>

using namespace vorn;
using namespace vorn::test;

// Vertex mode and the everyday brush keys, driven with the mouse and the keyboard on the views of
// the four-view layout: the top view, the front view and the side view.
class VertexModeTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        app_.renew();
        app_->start(QString());
        QVERIFY(QTest::qWaitForWindowExposed(&app_->frame()));
        AddBox(map(), {0, 0, 0}, {64, 64, 64}); // the world's first brush, selected
        for (int i = 0; i < 3; ++i) {
            app_->editor().view2D(i).centreOn(32, 32);
            app_->frame().viewPane(i)->refresh();
        }
    }

    void aBoxBecomesARampAndGetsACornerPulledOutWithTheMouse()
    {
        const std::string box = EntitiesText(map());
        QTest::keyClick(app_->frame().viewPane(0), Qt::Key_V);
        QVERIFY(app_->editor().workspace().vertexMode().isOn() && action("edit.vertexMode")->isChecked());
        QCoreApplication::processEvents();
        QCOMPARE(QColor(viewport(0)->grab().toImage().pixel(point(0, 32, 64))), QColor(0, 150, 0)); // an edge's handle

        // The top east edge, seen end on from the front, dragged down to the bottom: a ramp.
        drag(1, {64, 64}, {64, 30}, {64, 2});
        QCOMPARE(corners(), (Corners{{0, 0, 0}, {64, 0, 0}, {0, 64, 0}, {64, 64, 0}, {0, 0, 64}, {0, 64, 64}}));
        QTest::keyClick(app_->frame().viewPane(1), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(EntitiesText(map()), box);

        // The north east corners, one above the other seen from the top, pulled out.
        drag(0, {64, 64}, {80, 80}, {96, 96});
        QCOMPARE(corners(), (Corners{{0, 0, 0}, {64, 0, 0}, {0, 64, 0}, {96, 96, 0}, {0, 0, 64}, {64, 0, 64}, {0, 64, 64}, {96, 96, 64}}));
        QVERIFY(map().canUndo() && map().undoName() == "Move Vertices");

        QTest::keyClick(app_->frame().viewPane(0), Qt::Key_Escape);
        QVERIFY(!app_->editor().workspace().vertexMode().isOn() && !action("edit.vertexMode")->isChecked());
        QCOMPARE(map().countSelectedBrushes(), 1);
    }

    // Ctrl+D copies the selection a grid step right and down in the view under the mouse; H hides
    // the selection, Alt+H the rest, Shift+H shows them all again.
    void duplicateAndHideWithTheirKeys()
    {
        QCursor::setPos(viewport(1)->mapToGlobal(viewport(1)->rect().center()));
        QTest::keyClick(app_->frame().viewPane(1), Qt::Key_D, Qt::ControlModifier);
        const CQEntity& world = map().entity(0);
        QCOMPARE(world.brushCount(), 2);
        QCOMPARE(world.brush(1).mins(), (Vec3{16, 0, -16}));
        QVERIFY(map().isSelected(world.brush(1)) && !map().isSelected(world.brush(0)));

        QTest::keyClick(app_->frame().viewPane(1), Qt::Key_H);
        QVERIFY(map().isHidden(world.brush(1)) && map().countSelectedBrushes() == 0);
        map().selectBrush({0, 0}, true);
        QTest::keyClick(app_->frame().viewPane(1), Qt::Key_H, Qt::AltModifier);
        QVERIFY(map().isHidden(world.brush(1)) && !map().isHidden(world.brush(0)));
        QTest::keyClick(app_->frame().viewPane(1), Qt::Key_H, Qt::ShiftModifier);
        QVERIFY(!map().isHidden(world.brush(1)) && !map().isHidden(world.brush(0)));
        QTest::keyClick(app_->frame().viewPane(1), Qt::Key_Z, Qt::ControlModifier); // Show All undone
        QVERIFY(map().isHidden(world.brush(1)));
    }

    // A room holding a box made a ramp in the front view and a box with a corner pulled out in the
    // top view: saved, it compiles, and saved again after it is opened it compiles to the same level.
    void aVertexEditedMapCompilesAndItsResaveToo()
    {
        if (!RealToolsRun()) QSKIP("needs the shared compile tools");
        const QString first = app_.folder().filePath("shaped.map");
        QFile file(first);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(roomText().c_str());
        file.close();
        app_->start(first); // the same application opens it in place of the empty map
        const CQEntity& world = map().entity(0);
        const int rampBox = world.brushCount() - 2;
        map().DeselectAll();
        map().selectBrush({0, rampBox}, true);
        QTest::keyClick(app_->frame().viewPane(0), Qt::Key_V);
        drag(1, {64, 64}, {64, 30}, {64, 2});
        map().DeselectAll();
        map().selectBrush({0, rampBox + 1}, true);
        app_->editor().view2D(0).centreOn(-64, -64);
        app_->frame().viewPane(0)->refresh();
        drag(0, {-32, -32}, {-16, -16}, {0, 0});
        QCOMPARE(ShapeOf(world.brush(rampBox)).vertices.size(), size_t{6});
        QCOMPARE(ShapeOf(world.brush(rampBox + 1)).vertices.size(), size_t{8});
        QCOMPARE(world.brush(rampBox + 1).maxs(), (Vec3{0, 0, 64}));
        action("file.save")->trigger();
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("( 0 64 64 ) ( 64 0 0 ) ( 0 0 64 )")); // the ramp's slope, in whole numbers
        file.close();
        const QByteArray level = CompiledLevel(first);
        QVERIFY(!level.isEmpty());

        const QString second = app_.folder().filePath("resaved.map");
        QVERIFY(QFile::copy(first, second));
        app_->start(second);
        action("file.save")->trigger();
        QVERIFY(CompiledLevel(second) == level);
    }

private:
    using Corners = std::set<std::tuple<double, double, double>>;

    CQMap& map() { return app_->editor().map(); }
    QWidget* viewport(int view) { return app_->frame().viewPane(view)->viewport(); }
    QAction* action(const char* key) { return app_->frame().actions()[key]; }

    // The client pixel of a view that shows a point of its plane.
    QPoint point(int view, float u, float v)
    {
        const CXYView& logic = app_->editor().view2D(view);
        const PixelPoint w = logic.mapToWindow(u, v);
        return {w.x - logic.scrollX(), w.y - logic.scrollY()};
    }

    void drag(int view, QPointF from, QPointF via, QPointF to)
    {
        const auto at = [&](QPointF p) { return point(view, static_cast<float>(p.x()), static_cast<float>(p.y())); };
        QTest::mousePress(viewport(view), Qt::LeftButton, {}, at(from));
        for (const QPointF p : {via, to}) QTest::mouseMove(viewport(view), at(p));
        QTest::mouseRelease(viewport(view), Qt::LeftButton, {}, at(to));
    }

    Corners corners()
    {
        Corners all;
        for (const DVec3& v : ShapeOf(map().entity(0).brush(0)).vertices) all.insert({v.x, v.y, v.z});
        return all;
    }

    // Six walls around a room 512 units wide, a player start, and two boxes on the floor.
    static std::string roomText()
    {
        std::string text = "{\n\"classname\" \"worldspawn\"\n";
        NullDebugOutput log;
        for (const auto& [lo, hi] : std::initializer_list<std::pair<Vec3, Vec3>>{
                 {{-272, -272, -16}, {272, 272, 0}}, {{-272, -272, 256}, {272, 272, 272}}, {{-272, -272, 0}, {-256, 272, 256}},
                 {{256, -272, 0}, {272, 272, 256}}, {{-256, -272, 0}, {256, -256, 256}}, {{-256, 256, 0}, {256, 272, 256}},
                 {{0, 0, 0}, {64, 64, 64}}, {{-96, -96, 0}, {-32, -32, 64}}}) {
            CQBrush box;
            box.MakeBox(lo, hi, "WALL", log);
            AppendBrush(text, box, MapFormat::Standard);
        }
        return text + "}\n{\n\"classname\" \"info_player_start\"\n\"origin\" \"128 -128 24\"\n}\n";
    }

    FreshApp app_;
};

QTEST_MAIN(VertexModeTest)
#include "vertex_mode_test.moc"
