#include "ui/xy_view.h"

#include "brush_checks.h"
#include "editor_fixture.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::test;

namespace {

using Kind = RecordingCanvas::Kind;

// The editor with an 800 x 600 XY view centred on the map origin: at scale 1 the map point
// (x, y) shows at client pixel (400 + x, 300 − y).
class XYViewTest : public EditorTest {
protected:
    XYViewTest()
    {
        view().setClientSize(800, 600);
        view().centreOn(0, 0);
    }

    CXYView& view() { return editor.xyView(); }

    // The mouse over a map point.
    MouseInput at(float x, float y, bool shift = false, bool ctrl = false)
    {
        const PixelPoint w = view().mapToWindow(x, y);
        return {w.x - view().scrollX(), w.y - view().scrollY(), shift, ctrl, true};
    }

    void drag(MouseInput from, MouseInput to)
    {
        view().leftButtonDown(from);
        view().mouseMove(to);
        view().leftButtonUp(to);
    }

    // A world without brushes, current.
    void emptyWorld()
    {
        map().NewMap();
        CQEntity world;
        world.SetValue("\"classname\"", "\"worldspawn\"");
        world.setWorld(true);
        map().AddEntity(world);
    }

    CQEntity& world() { return map().entity(0); }
    CQBrush& worldBrush(int i) { return world().brushes()[static_cast<size_t>(i)]; }

    // A brush entity holding one box, appended after the world; the world stays current.
    CQEntity& addDoor(Vec3 mins, Vec3 maxs, std::string_view angle = {})
    {
        CQEntity door;
        door.SetValue("\"classname\"", "\"func_door\"");
        if (!angle.empty()) door.SetValue("\"angle\"", Quoted(angle));
        door.AddBrush(box(mins, maxs));
        map().AddEntity(door);
        map().SetCurrentEntityByIndex(0);
        return map().entity(map().EntityCount() - 1);
    }

    // The window box of a map rectangle.
    PixelBox windowBox(float left, float bottom, float right, float top)
    {
        const PixelPoint a = view().mapToWindow(left, top);
        const PixelPoint b = view().mapToWindow(right, bottom);
        return {a.x, a.y, b.x, b.y};
    }

    RecordingCanvas painted()
    {
        RecordingCanvas canvas;
        view().paint(canvas);
        return canvas;
    }
};

void ExpectBox(const CQBrush& b, Vec3 mins, Vec3 maxs)
{
    EXPECT_EQ(b.mins(), mins);
    EXPECT_EQ(b.maxs(), maxs);
}

bool HasBox(const CQEntity& entity, Vec3 mins, Vec3 maxs)
{
    return std::ranges::any_of(entity.brushes(), [&](const CQBrush& b) { return b.mins() == mins && b.maxs() == maxs; });
}

} // namespace

// --- mapping, scrolling and the grid ---

TEST_F(XYViewTest, MapsMapUnitsToWindowPixelsAndClientPixelsBack)
{
    EXPECT_EQ(view().mapToWindow(0, 0), (PixelPoint{2000, 2000}));
    EXPECT_EQ(view().mapToWindow(-2000, 2000), (PixelPoint{0, 0}));
    EXPECT_EQ(view().scrollWidth(), 4000);
    EXPECT_EQ(view().scrollHeight(), 4000);

    view().setClientSize(400, 300);
    view().scrollTo(1900, 1900);
    EXPECT_EQ(view().clientToMap(0, 0), (MapPoint{-100, 100}));
    EXPECT_EQ(view().clientToMap(150, 250), (MapPoint{50, -150}));
    const VisibleArea area = view().visibleArea();
    EXPECT_EQ(area.left, -100);
    EXPECT_EQ(area.top(), 100);
    EXPECT_EQ(area.width, 400);
    EXPECT_EQ(area.bottom, -200);

    // The scroll position stays inside the scrollable area.
    view().scrollTo(-50, 99999);
    EXPECT_EQ(view().scrollX(), 0);
    EXPECT_EQ(view().scrollY(), 4000 - 300);
}

TEST_F(XYViewTest, ANewViewLooksAtTheMapOriginUntilItHasASize)
{
    const CXYView fresh(editor);
    EXPECT_EQ(fresh.centre(), (MapPoint{0, 0}));
}

TEST_F(XYViewTest, CentresOnAPointAndZoomsAboutTheMouse)
{
    view().centreOn(100, -50);
    EXPECT_EQ(view().centre(), (MapPoint{100, -50}));

    // The map point under the mouse stays there when the scale changes.
    const MapPoint before = view().clientToMap(600, 150);
    view().zoomAbout(2.0f, {600, 150});
    EXPECT_EQ(view().scale(), 2.0f);
    EXPECT_EQ(view().clientToMap(600, 150), before);
    EXPECT_EQ(view().scrollWidth(), 8000);
    EXPECT_EQ(editor.prefs().xyScalePercent, 200);
}

TEST_F(XYViewTest, SnapsToTheGridHalfwayAwayFromZero)
{
    const std::initializer_list<std::pair<float, float>> cases{{7, 0}, {8, 16}, {-8, -16}, {-7, 0}, {24, 32}};
    for (const auto& [v, expected] : cases) {
        EXPECT_EQ(view().snap(v), expected) << v;
    }
    view().setGridSize(64);
    EXPECT_EQ(view().snap(31), 0);
    EXPECT_EQ(view().snap(32), 64);
}

TEST_F(XYViewTest, RefusesGridSizesBelowOne)
{
    view().setGridSize(32);
    view().setGridSize(0);
    view().setGridSize(-16);
    EXPECT_EQ(view().gridSize(), 32);
    EXPECT_EQ(editor.prefs().xyGridSize, 32);
}

TEST_F(XYViewTest, DrawsTheGridOnlyWhenItsLinesAreMoreThanFourPixelsApart)
{
    view().zoomAbout(0.25f, {0, 0});
    EXPECT_EQ(painted().count(Kind::Line, Colours::Grid), 0) << "16 x 0.25 = 4 pixels";

    view().setGridSize(32);
    EXPECT_GT(painted().count(Kind::Line, Colours::Grid), 0);

    view().toggleGrid();
    EXPECT_EQ(painted().count(Kind::Line, Colours::Grid), 0);
    EXPECT_EQ(editor.prefs().xyGridShow, 0);
}

TEST_F(XYViewTest, GridLinesRunFromTheMapOriginAcrossTheWholeArea)
{
    view().setGridSize(48);
    const RecordingCanvas canvas = painted();
    const int zeroX = view().mapToWindow(0, 0).x;
    const int zeroY = view().mapToWindow(0, 0).y;
    EXPECT_TRUE(canvas.lineBetween(Colours::Grid, {zeroX, 0}, {zeroX, 4000}));
    EXPECT_TRUE(canvas.lineBetween(Colours::Grid, {zeroX + 48, 0}, {zeroX + 48, 4000}));
    EXPECT_TRUE(canvas.lineBetween(Colours::Grid, {0, zeroY - 96}, {4000, zeroY - 96}));
    for (const DrawCall& line : canvas.drawn(Kind::Line, Colours::Grid)) {
        const bool vertical = line.points[0].x == line.points[1].x;
        const int offset = vertical ? line.points[0].x - zeroX : line.points[0].y - zeroY;
        EXPECT_EQ(offset % 48, 0);
    }
}

// --- keys ---

TEST_F(XYViewTest, ArrowKeysMoveTheSelectionBySixteenWhenSnappingWhateverTheGrid)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    worldBrush(0).SetSelected(true);
    view().setGridSize(64);
    EXPECT_TRUE(view().keyDown(ViewKey::Right));
    view().setGridSize(8);
    EXPECT_TRUE(view().keyDown(ViewKey::Up));
    ExpectBox(worldBrush(0), {16, 16, 0}, {80, 80, 64});
    EXPECT_EQ(host.lastUpdate(), ViewFlags::Editing);

    view().setSnapToGrid(false);
    view().keyDown(ViewKey::Left);
    view().keyDown(ViewKey::Down);
    view().keyDown(ViewKey::Down);
    ExpectBox(worldBrush(0), {15, 14, 0}, {79, 78, 64});
    EXPECT_TRUE(map().IsModifiedSinceSave());
}

TEST_F(XYViewTest, TabMakesTheNextEntityCurrentAndMTheWorld)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    addDoor({128, 0, 0}, {192, 64, 64});
    addPointEntity("light", {300, 0, 0});
    worldBrush(0).SetSelected(true);

    EXPECT_TRUE(view().keyDown(ViewKey::Tab));
    EXPECT_EQ(map().currentIndex(), 1);
    EXPECT_FALSE(worldBrush(0).IsSelected());
    view().keyDown(ViewKey::Tab);
    view().keyDown(ViewKey::Tab);
    EXPECT_EQ(map().currentIndex(), 0) << "after the last comes the first";
    view().keyDown(ViewKey::Tab);
    EXPECT_TRUE(view().keyDown(ViewKey::M));
    EXPECT_EQ(map().currentIndex(), 0);
    EXPECT_EQ(host.lastUpdate(), ViewFlags::Editing);
}

TEST_F(XYViewTest, EscapeDeselectsOrClearsTheClipPointsAndDeleteRemovesTheSelection)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 64}}});
    worldBrush(0).SetSelected(true);
    EXPECT_TRUE(view().keyDown(ViewKey::Escape));
    EXPECT_EQ(world().selectedCount(), 0);

    worldBrush(1).SetSelected(true);
    view().toggleClipperMode();
    editor.clipPoints().AddClipPoint(0, 0, 0, 16);
    view().keyDown(ViewKey::Escape);
    EXPECT_EQ(editor.clipPoints().count(), 0);
    EXPECT_EQ(world().selectedCount(), 1) << "in clipper mode Escape keeps the selection";

    EXPECT_TRUE(view().keyDown(ViewKey::Delete));
    ASSERT_EQ(world().brushCount(), 1);
    ExpectBox(worldBrush(0), {0, 0, 0}, {64, 64, 64});
}

TEST_F(XYViewTest, MinusSubtractsTheSelectionFromTheOtherBrushes)
{
    makeWorld({{{0, 0, 0}, {128, 128, 64}}, {{32, -32, -16}, {96, 160, 80}}});
    worldBrush(1).SetSelected(true);
    EXPECT_TRUE(view().keyDown(ViewKey::Minus));
    // A cutter through the middle leaves a piece either side of it, then the cutter itself.
    ASSERT_EQ(world().brushCount(), 3);
    EXPECT_TRUE(HasBox(world(), {0, 0, 0}, {32, 128, 64}));
    EXPECT_TRUE(HasBox(world(), {96, 0, 0}, {128, 128, 64}));
    EXPECT_TRUE(worldBrush(2).IsSelected());
}

TEST_F(XYViewTest, EnterClipsOnlyInClipperModeAndSlashFlipsThePlane)
{
    makeWorld({{{-32, -32, 0}, {32, 32, 64}}});
    worldBrush(0).SetSelected(true);
    editor.clipPoints().AddClipPoint(0, 0, 0, 16);
    editor.clipPoints().AddClipPoint(64, 0, 0, 16);
    EXPECT_FALSE(view().keyDown(ViewKey::Enter));
    ExpectBox(worldBrush(0), {-32, -32, 0}, {32, 32, 64});

    view().toggleClipperMode();
    EXPECT_TRUE(view().keyDown(ViewKey::Slash));
    EXPECT_TRUE(view().keyDown(ViewKey::Enter));
    ExpectBox(worldBrush(0), {-32, 0, 0}, {32, 32, 64});

    editor.clipPoints().ClearClipPoints();
    view().keyDown(ViewKey::Slash);
    EXPECT_EQ(host.debugCount("no clipplane\n"), 1);
}

// --- the mouse ---

TEST_F(XYViewTest, AClickWithoutADragAddsNoBrush)
{
    emptyWorld();
    view().leftButtonDown(at(10, 10));
    EXPECT_EQ(view().dragMode(), CXYView::DragMode::SizeNewBrush);
    view().leftButtonUp(at(10, 10));
    EXPECT_EQ(world().brushCount(), 0);
    EXPECT_EQ(view().newBrush(), nullptr);
    EXPECT_EQ(view().dragMode(), CXYView::DragMode::Idle);
}

TEST_F(XYViewTest, DraggingOutABrushAddsItToTheCurrentEntityBetweenTheWorkHeights)
{
    emptyWorld();
    map().SetMaxZ(128);
    map().SetMinZ(-32);
    view().leftButtonDown(at(3, -5));
    EXPECT_EQ(host.debugCount("sizing new brush\n"), 1);
    view().mouseMove(at(60, -70));
    ASSERT_NE(view().newBrush(), nullptr);
    ExpectBox(*view().newBrush(), {0, -64, -32}, {64, 0, 128});
    EXPECT_EQ(host.lastUpdate(), ViewFlags::XY);
    view().mouseMove(at(-40, 20));
    ExpectBox(*view().newBrush(), {-48, 0, -32}, {0, 16, 128});
    view().leftButtonUp(at(-40, 20));

    ASSERT_EQ(world().brushCount(), 1);
    ExpectSolid(worldBrush(0));
    ExpectBox(worldBrush(0), {-48, 0, -32}, {0, 16, 128});
    EXPECT_TRUE(worldBrush(0).IsSelected());
    EXPECT_EQ(view().newBrush(), nullptr);
    EXPECT_EQ(host.lastUpdate(), ViewFlags::Editing);
}

TEST_F(XYViewTest, ANewBrushNeedsNothingSelectedAndAnEntityThatHoldsBrushes)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 64}}});
    worldBrush(0).SetSelected(true);
    worldBrush(1).SetSelected(true);
    drag(at(-200, -200), at(-100, -100));
    EXPECT_EQ(world().brushCount(), 2);

    CQEntity& light = addPointEntity("light", {300, 300, 0});
    map().SetCurrentEntityByIndex(map().EntityCount() - 1);
    drag(at(-200, -200), at(-100, -100));
    EXPECT_EQ(world().brushCount(), 2);
    EXPECT_EQ(light.brushCount(), 1);
}

TEST_F(XYViewTest, PressingBesideTheOnlySelectedBrushDragsTheSidesFacingThePress)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    worldBrush(0).SetSelected(true);
    view().leftButtonDown(at(100, 30));
    EXPECT_EQ(view().dragMode(), CXYView::DragMode::DragFaces);
    view().mouseMove(at(130, 30));
    ExpectBox(worldBrush(0), {0, 0, 0}, {96, 64, 64});
    view().mouseMove(at(110, 35));
    ExpectBox(worldBrush(0), {0, 0, 0}, {80, 64, 64});
    view().leftButtonUp(at(110, 35));
    ExpectSolid(worldBrush(0));
    EXPECT_TRUE(map().IsModifiedSinceSave());

    // Beyond a corner both sides facing the press follow.
    drag(at(100, 100), at(132, 132));
    ExpectBox(worldBrush(0), {0, 0, 0}, {112, 96, 64});
}

TEST_F(XYViewTest, AFaceDragThatLeavesNoVolumeDropsTheBrush)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{200, 0, 0}, {264, 64, 64}}});
    worldBrush(0).SetSelected(true);
    drag(at(100, 30), at(-60, 30));
    ASSERT_EQ(world().brushCount(), 1);
    ExpectBox(worldBrush(0), {200, 0, 0}, {264, 64, 64});
}

TEST_F(XYViewTest, PressingOnASelectedBrushDragsTheWholeSelection)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 64}}, {{0, 128, 0}, {64, 192, 64}}});
    worldBrush(0).SetSelected(true);
    worldBrush(1).SetSelected(true);
    view().leftButtonDown(at(30, 30));
    EXPECT_EQ(view().dragMode(), CXYView::DragMode::DragSelection);
    EXPECT_EQ(host.debugCount("dragging selection\n"), 1);
    view().mouseMove(at(50, 20));
    view().mouseMove(at(62, 13));
    view().leftButtonUp(at(62, 13));
    ExpectBox(worldBrush(0), {32, -16, 0}, {96, 48, 64});
    ExpectBox(worldBrush(1), {160, -16, 0}, {224, 48, 64});
    ExpectBox(worldBrush(2), {0, 128, 0}, {64, 192, 64});

    // Alone and pressed inside, a selected brush is dragged whole too: no side faces the press.
    worldBrush(1).SetSelected(false);
    drag(at(64, 16), at(64, 48));
    ExpectBox(worldBrush(0), {32, 16, 0}, {96, 80, 64});
}

TEST_F(XYViewTest, ShiftClickTogglesTheBrushUnderTheMouseAndMakesItsEntityCurrent)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    CQEntity& light = addPointEntity("light", {300, 300, 0});

    view().leftButtonDown(at(300, 300, true));
    EXPECT_EQ(view().dragMode(), CXYView::DragMode::Idle);
    view().mouseMove(at(400, 400, true));
    view().leftButtonUp(at(400, 400, true));
    EXPECT_TRUE(light.isCurrent());
    EXPECT_TRUE(light.brushes()[0].IsSelected());
    EXPECT_EQ(light.brushes()[0].Centre(), (Vec3{300, 300, 0})) << "a Shift drag moves nothing";

    drag(at(300, 300, true), at(300, 300, true));
    EXPECT_FALSE(light.brushes()[0].IsSelected());

    drag(at(30, 30, true), at(30, 30, true));
    EXPECT_TRUE(world().isCurrent());
    EXPECT_TRUE(worldBrush(0).IsSelected());
    EXPECT_EQ(host.lastUpdate(), ViewFlags::Editing);

    // Shift with Ctrl does nothing.
    drag(at(30, 30, true, true), at(30, 30, true, true));
    EXPECT_TRUE(worldBrush(0).IsSelected());
}

TEST_F(XYViewTest, CtrlClickTurnsTheCameraAndDoubleClicksPlaceTheMarkers)
{
    editor.camera().moveTo(0, 0);
    drag(at(100, 0, false, true), at(100, 0, false, true));
    EXPECT_NEAR(editor.camera().heading(), 0, 1e-6);
    EXPECT_EQ(host.lastUpdate(), ViewFlags::CameraXY);

    view().doubleClick(at(-64, 32, false, true));
    EXPECT_EQ(editor.camera().position2D(), (MapPoint{-64, 32}));
    EXPECT_EQ(host.lastUpdate(), ViewFlags::CameraXY);
    EXPECT_EQ(editor.zViewPosition(), (MapPoint{0, 0}));

    view().doubleClick(at(48, -80));
    EXPECT_EQ(editor.zViewPosition(), (MapPoint{48, -80}));
    EXPECT_EQ(host.lastUpdate(), ViewFlags::XYZ);
}

TEST_F(XYViewTest, ContextMenuCommandsActWhereTheMenuOpened)
{
    const MouseInput where = at(-128, 256);
    view().contextMenuAt(where.x, where.y);
    view().mouseMove(at(0, 0));
    view().moveCameraHere();
    EXPECT_EQ(editor.camera().position2D(), (MapPoint{-128, 256}));
    EXPECT_EQ(host.lastUpdate(), ViewFlags::CameraXY);
}

// --- keys pressed while the mouse drags ---

TEST_F(XYViewTest, AFaceDragFollowsTheSelectedBrushWhenKeysChangeTheBrushList)
{
    makeWorld({{{0, 0, 0}, {128, 128, 64}}, {{32, -32, -16}, {96, 160, 80}}});
    worldBrush(1).SetSelected(true);
    view().leftButtonDown(at(120, 64));
    ASSERT_EQ(view().dragMode(), CXYView::DragMode::DragFaces);
    // Subtracting puts the pieces first and the dragged cutter last.
    view().keyDown(ViewKey::Minus);
    view().mouseMove(at(152, 64));
    view().leftButtonUp(at(152, 64));
    ASSERT_EQ(world().brushCount(), 3);
    EXPECT_TRUE(HasBox(world(), {0, 0, 0}, {32, 128, 64}));
    EXPECT_TRUE(HasBox(world(), {96, 0, 0}, {128, 128, 64}));
    ExpectBox(worldBrush(2), {32, -32, -16}, {128, 160, 80});

    // The dragged brush deleted under the mouse: the rest of the drag changes nothing.
    view().leftButtonDown(at(150, 64));
    ASSERT_EQ(view().dragMode(), CXYView::DragMode::DragFaces);
    view().keyDown(ViewKey::Delete);
    view().mouseMove(at(300, 64));
    view().leftButtonUp(at(300, 64));
    ASSERT_EQ(world().brushCount(), 2);
    EXPECT_TRUE(HasBox(world(), {0, 0, 0}, {32, 128, 64}));
    EXPECT_TRUE(HasBox(world(), {96, 0, 0}, {128, 128, 64}));
}

TEST_F(XYViewTest, ABrushDraggedOutGoesNowhereWhenTabMadeAPointEntityCurrent)
{
    emptyWorld();
    CQEntity& light = addPointEntity("light", {300, 300, 0});
    view().leftButtonDown(at(0, 0));
    ASSERT_EQ(view().dragMode(), CXYView::DragMode::SizeNewBrush);
    view().keyDown(ViewKey::Tab);
    ASSERT_TRUE(light.isCurrent());
    view().mouseMove(at(64, 64));
    view().leftButtonUp(at(64, 64));
    EXPECT_EQ(light.brushCount(), 1);
    EXPECT_EQ(world().brushCount(), 0);
}

// --- extents ---

TEST_F(XYViewTest, DraggingPastTheRightEdgeGrowsItToTheMapBoundsPlus64)
{
    makeWorld({{{1914, 0, 0}, {1978, 64, 64}}, {{1904, 200, 0}, {1968, 264, 64}}});
    view().centreOn(1900, 100);
    worldBrush(1).SetSelected(true);
    drag(at(1936, 232), at(1968, 232));
    ExpectBox(worldBrush(1), {1936, 200, 0}, {2000, 264, 64});
    EXPECT_EQ(view().extents().right, 2000) << "a brush ending on the edge grows nothing";

    worldBrush(1).SetSelected(false);
    worldBrush(0).SetSelected(true);
    drag(at(1946, 32), at(1978, 32));
    EXPECT_EQ(worldBrush(0).maxs().x, 2010);
    EXPECT_EQ(view().extents().right, 2074);
    EXPECT_EQ(view().scrollWidth(), 4074);
    EXPECT_EQ(view().extents().top, 2000);
    EXPECT_EQ(view().extents().left, -2000);

    // Moving back never shrinks them.
    drag(at(1990, 32), at(1000, 32));
    EXPECT_EQ(view().extents().right, 2074);
    view().growExtents({0, 0, 0}, {10, 10, 10});
    EXPECT_EQ(view().extents().right, 2074);
    EXPECT_EQ(view().extents().bottom, -2000);
}

TEST_F(XYViewTest, ANewBrushPastTheTopGrowsItWithoutMovingTheView)
{
    emptyWorld();
    view().centreOn(0, 1900);
    const MapPoint corner = view().clientToMap(0, 0);
    drag(at(0, 1968), at(64, 2048));
    EXPECT_EQ(view().extents().top, 2048 + 64);
    EXPECT_EQ(view().scrollHeight(), 4112);
    EXPECT_EQ(view().clientToMap(0, 0), corner);
}

TEST_F(XYViewTest, AFaceDraggedPastTheLeftEdgeGrowsIt)
{
    makeWorld({{{-1980, 0, 0}, {-1916, 64, 64}}});
    view().centreOn(-1900, 0);
    worldBrush(0).SetSelected(true);
    drag(at(-2000, 32), at(-2032, 32));
    EXPECT_EQ(worldBrush(0).mins().x, -2012);
    EXPECT_EQ(view().extents().left, -2076);
}

// --- drawing ---

TEST_F(XYViewTest, PaintsGridClipPointsMapNewBrushZMarkerAndCameraInThatOrder)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 64}}});
    addDoor({-128, 0, 0}, {-64, 64, 64});
    editor.clipPoints().AddClipPoint(0, -100, 0, 16);
    editor.clipPoints().AddClipPoint(64, -100, 0, 16);
    // A new brush being dragged out, with a selection and the clip points shown.
    view().leftButtonDown(at(-200, -200));
    view().mouseMove(at(-128, -128));
    worldBrush(1).SetSelected(true);
    view().toggleClipperMode();
    editor.setZViewPosition({32, 32});
    editor.camera().moveTo(0, -300);

    const RecordingCanvas canvas = painted();
    EXPECT_TRUE(canvas.outlined(Colours::Black, windowBox(-128, 0, -64, 64)));
    EXPECT_TRUE(canvas.outlined(Colours::Blue, windowBox(0, 0, 64, 64)));
    EXPECT_TRUE(canvas.outlined(Colours::Red, windowBox(128, 0, 192, 64)));
    EXPECT_TRUE(canvas.outlined(Colours::Red, windowBox(-208, -208, -128, -128)));
    // Only the top faces: one outline per box.
    EXPECT_EQ(canvas.count(Kind::Polygon, Colours::Black), 1);
    EXPECT_EQ(canvas.count(Kind::Polygon, Colours::Blue), 1);
    EXPECT_EQ(canvas.count(Kind::Polygon, Colours::Red), 2);

    const std::vector<DrawCall> clipMarks = canvas.drawn(Kind::Ellipse, Colours::ClipPoint);
    ASSERT_EQ(clipMarks.size(), 2u);
    const PixelPoint first = view().mapToWindow(0, -100);
    EXPECT_EQ(clipMarks[0].bounds(), (PixelBox{first.x - 5, first.y - 5, first.x + 5, first.y + 5}));
    const std::vector<DrawCall> labels = canvas.drawn(Kind::Text, Colours::ClipPoint);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].text, "0");
    EXPECT_EQ(labels[1].text, "1");

    const std::vector<DrawCall> zMarker = canvas.drawn(Kind::Ellipse, Colours::Magenta);
    ASSERT_EQ(zMarker.size(), 1u);
    const PixelPoint z = view().mapToWindow(32, 32);
    EXPECT_EQ(zMarker[0].bounds(), (PixelBox{z.x - 3, z.y - 3, z.x + 3, z.y + 3}));

    // The map in black then blue then red; the new brush (red) after the selection.
    const int newBrushIndex = [&] {
        for (size_t i = 0; i < canvas.calls.size(); ++i) {
            if (canvas.calls[i].kind == Kind::Polygon && canvas.calls[i].bounds() == windowBox(-208, -208, -128, -128)) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }();
    EXPECT_EQ(canvas.firstWith(Colours::Grid), 0);
    EXPECT_LT(canvas.lastWith(Colours::Grid), canvas.firstWith(Colours::ClipPoint));
    EXPECT_LT(canvas.lastWith(Colours::ClipPoint), canvas.firstWith(Colours::Black));
    EXPECT_LT(canvas.lastWith(Colours::Black), canvas.firstWith(Colours::Blue));
    EXPECT_LT(canvas.lastWith(Colours::Blue), canvas.firstWith(Colours::Red));
    EXPECT_EQ(canvas.lastWith(Colours::Red), newBrushIndex);
    EXPECT_LT(newBrushIndex, canvas.firstWith(Colours::Magenta));
    EXPECT_LT(canvas.lastWith(Colours::Magenta), canvas.firstWith(Colours::Cyan));
    EXPECT_EQ(canvas.lastWith(Colours::Cyan), static_cast<int>(canvas.calls.size()) - 1);
}

TEST_F(XYViewTest, DrawsTheCameraAsAFixedBoxWithTwoLinesAlongItsHeading)
{
    editor.camera().moveTo(0, 0);
    editor.camera().lookAt(0, 100); // north
    view().zoomAbout(0.5f, {400, 300});
    const PixelPoint c = view().mapToWindow(0, 0);
    const RecordingCanvas canvas = painted();
    const std::vector<DrawCall> lines = canvas.drawn(Kind::Line, Colours::Cyan);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_TRUE(canvas.lineBetween(Colours::Cyan, {c.x - 16, c.y + 8}, {c.x + 16, c.y + 8}));
    EXPECT_TRUE(canvas.lineBetween(Colours::Cyan, {c.x + 16, c.y - 8}, {c.x - 16, c.y - 8}));
    EXPECT_TRUE(canvas.lineBetween(Colours::Cyan, c, {c.x - 45, c.y - 45}));
    EXPECT_TRUE(canvas.lineBetween(Colours::Cyan, c, {c.x + 45, c.y - 45}));
}

TEST_F(XYViewTest, SkipsUnselectedBrushesOutsideTheVisibleArea)
{
    makeWorld({{{1000, 1000, 0}, {1064, 1064, 64}},
               {{1200, 1000, 0}, {1264, 1064, 64}},
               {{380, -64, 0}, {444, 0, 64}},
               {{0, 0, 0}, {64, 64, 64}}});
    worldBrush(1).SetSelected(true);
    const RecordingCanvas canvas = painted();
    EXPECT_FALSE(canvas.touches(windowBox(1000, 1000, 1064, 1064)));
    EXPECT_TRUE(canvas.outlined(Colours::Red, windowBox(1200, 1000, 1264, 1064)));
    EXPECT_TRUE(canvas.outlined(Colours::Blue, windowBox(380, -64, 444, 0))) << "partly in view";
    EXPECT_TRUE(canvas.outlined(Colours::Blue, windowBox(0, 0, 64, 64)));
}

TEST_F(XYViewTest, TheFirstBrushOfAnEntityPointsAlongItsAngle)
{
    emptyWorld();
    const CQEntity& east = addDoor({0, 0, 0}, {64, 64, 64}, "0");
    const CQEntity& north = addDoor({200, 0, 0}, {264, 64, 64}, "90");
    addDoor({400, 0, 0}, {464, 64, 64}, "-1");
    addDoor({600, 0, 0}, {664, 64, 64}, "-2");
    addDoor({800, 0, 0}, {864, 64, 64});
    ASSERT_EQ(east.brushes()[0].Centre(), (Vec3{32, 32, 32}));
    ASSERT_EQ(north.brushes()[0].Centre(), (Vec3{232, 32, 32}));

    const RecordingCanvas canvas = painted();
    const PixelPoint c = view().mapToWindow(32, 32);
    EXPECT_TRUE(canvas.lineBetween(Colours::Black, c, {c.x + 16, c.y}));
    const PixelPoint n = view().mapToWindow(232, 32);
    EXPECT_TRUE(canvas.lineBetween(Colours::Black, n, {n.x, n.y - 16}));
    // Each arrow: a shaft and two barbs; the other three entities draw none.
    EXPECT_EQ(canvas.count(Kind::Line, Colours::Black), 6);
    for (const DrawCall& line : canvas.drawn(Kind::Line, Colours::Black)) {
        EXPECT_LT(line.bounds().right, view().mapToWindow(300, 0).x);
    }
}

TEST_F(XYViewTest, WritesClassNamesAboveTheEntitiesWhenAsked)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    addPointEntity("light", {300, 300, 0});
    std::vector<std::string> texts = painted().texts();
    ASSERT_EQ(texts, std::vector<std::string>{"light"});
    const PixelPoint expected = view().mapToWindow(292, 309);
    EXPECT_EQ(painted().textAt("light"), expected);

    view().setDrawClassNames(false);
    EXPECT_TRUE(painted().texts().empty());
    EXPECT_EQ(editor.prefs().xyDrawNames, 0);
}
