#include "ui/xy_view.h"

#include "document/selection_edits.h"
#include "editor_fixture.h"
#include "recording_canvas.h"

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
    MouseInput at(float x, float y, bool shift = false, bool ctrl = false) { return xyAt(x, y, shift, ctrl); }
    void drag(MouseInput from, MouseInput to) { EditorTest::drag(view(), from, to); }
    PixelBox windowBox(float left, float bottom, float right, float top)
    {
        const PixelPoint a = view().mapToWindow(left, top);
        const PixelPoint b = view().mapToWindow(right, bottom);
        return {a.x, a.y, b.x, b.y};
    }
    bool hasBox(Vec3 mins, Vec3 maxs)
    {
        return std::ranges::any_of(world().brushes(), [&](auto& b) { return b.mins() == mins && b.maxs() == maxs; });
    }
};

} // namespace

TEST_F(XYViewTest, MapsScrollsCentresZoomsAboutTheMouseSnapsAndDrawsTheGrid)
{
    EXPECT_EQ(CXYView(editor.workspace()).centre(), (MapPoint{0, 0})) << "a view without a size yet opens on the origin";
    view().setClientSize(400, 300);
    view().scrollTo(-50, 99999); // kept inside the scrollable area
    EXPECT_EQ(view().clientToMap(0, 0), (MapPoint{-2000, -1700}));
    view().centreOn(100, -50);
    EXPECT_EQ(view().centre(), (MapPoint{100, -50}));
    const MapPoint underMouse = view().clientToMap(300, 50);
    view().zoomAbout(2.0f, {300, 50});
    EXPECT_EQ(view().clientToMap(300, 50), underMouse);

    for (const auto& [v, snapped] : {std::pair{7, 0}, {8, 16}, {-8, -16}, {-7, 0}, {24, 32}}) {
        EXPECT_EQ(editor.workspace().snap(static_cast<float>(v)), static_cast<float>(snapped)) << v; // halfway: away from 0
    }
    for (const int size : {64, 0, -16}) editor.workspace().setGridSize(size); // below 1: refused
    EXPECT_EQ(editor.workspace().snap(32), 64);

    editor.workspace().setGridSize(48); // grid lines run from the map origin, only when over four pixels apart
    view().zoomAbout(1, {0, 0});
    const RecordingCanvas canvas(view());
    const PixelPoint zero = view().mapToWindow(0, 0);
    EXPECT_TRUE(canvas.lineBetween(Colours::Grid, {zero.x + 48, 0}, {zero.x + 48, 4000}));
    EXPECT_TRUE(canvas.lineBetween(Colours::Grid, {0, zero.y + 96}, {4000, zero.y + 96}));
    EXPECT_FALSE(canvas.lineBetween(Colours::Grid, {zero.x + 16, 0}, {zero.x + 16, 4000}));
    editor.workspace().setGridSize(16);
    view().zoomAbout(0.25f, {0, 0});
    EXPECT_TRUE(RecordingCanvas(view()).drawn(Kind::Line, Colours::Grid).empty()) << "16 x 0.25 = 4 pixels";
    editor.workspace().setGridSize(32);
    EXPECT_FALSE(RecordingCanvas(view()).drawn(Kind::Line, Colours::Grid).empty());
}

TEST_F(XYViewTest, KeysMoveTheSelectionCycleTheEntitiesAndClipButNeverAPointEntitysBox)
{
    makeWorld({{{-32, -32, 0}, {32, 32, 64}}});
    const CQEntity& light = addPointEntity("light", {0, 0, 32});
    select(0, {0});
    editor.workspace().setGridSize(64);
    EXPECT_TRUE(view().keyDown(ViewKey::Right)); // by 16 while snapping, whatever the grid
    editor.workspace().setSnapToGrid(false);
    view().keyDown(ViewKey::Down); // by 1
    ExpectBox(worldBrush(0), {-16, -33, 0}, {48, 31, 64});
    for (const int next : {1, 0, 1}) EXPECT_TRUE(view().keyDown(ViewKey::Tab) && map().currentIndex() == next);
    EXPECT_TRUE(view().keyDown(ViewKey::M));
    EXPECT_EQ(map().currentIndex(), 0);

    ASSERT_TRUE(editor.saveMap(path("clip.map")));
    select(0, {0});
    for (const float x : {0, 64, 128}) editor.workspace().clipPoints().AddClipPoint(x, 0, 0, 16); // in line: no plane
    EXPECT_FALSE(view().keyDown(ViewKey::Enter)) << "outside clipper mode";
    editor.workspace().toggleClipperMode();
    EXPECT_TRUE(view().keyDown(ViewKey::Enter));
    EXPECT_FALSE(map().IsModifiedSinceSave()) << "nothing was cut";
    view().keyDown(ViewKey::Escape); // in clipper mode it clears the points, not the selection
    EXPECT_EQ(editor.workspace().clipPoints().count(), 0);
    EXPECT_EQ(selectedIn(0), 1);

    editor.workspace().clipPoints().AddClipPoint(0, 0, 0, 16);
    editor.workspace().clipPoints().AddClipPoint(64, 0, 0, 16);
    selectWholeEntity(1);
    view().keyDown(ViewKey::Enter);
    ExpectBox(light.brushes()[0], {-8, -8, 24}, {8, 8, 40});
    EXPECT_FALSE(map().IsModifiedSinceSave());
    view().keyDown(ViewKey::M);
    select(0, {0});
    EXPECT_TRUE(view().keyDown(ViewKey::Slash));
    view().keyDown(ViewKey::Enter);
    ExpectBox(worldBrush(0), {-16, 0, 0}, {48, 31, 64});
    EXPECT_TRUE(map().IsModifiedSinceSave());
}

TEST_F(XYViewTest, DraggingOutABrushNeedsNothingSelectedAndAnEntityThatHoldsBrushes)
{
    makeWorld({{{500, 0, 0}, {564, 64, 64}}, {{600, 0, 0}, {664, 64, 64}}});
    map().SetMaxZ(128, 16);
    map().SetMinZ(-32, 16);
    map().SelectAll();
    drag(at(3, -5), at(60, -70));
    map().DeselectAll();
    drag(at(10, 10), at(10, 10)); // a click
    EXPECT_EQ(world().brushCount(), 2);

    view().leftButtonDown(at(3, -5));
    view().mouseMove(at(60, -70));
    ASSERT_NE(view().newBrush(), nullptr);
    ExpectBox(*view().newBrush(), {0, -64, -32}, {64, 0, 128}); // snapped, between the work heights
    drag(at(-40, 20), at(-40, 20)); // across the anchor, and released
    EXPECT_EQ(view().newBrush(), nullptr);
    ASSERT_EQ(world().brushCount(), 3);
    ExpectBox(worldBrush(2), {-48, 0, -32}, {0, 16, 128});
    EXPECT_TRUE(selected(0, 2));

    const CQEntity& light = addPointEntity("light", {300, 300, 0});
    map().SetCurrentEntityByIndex(1);
    drag(at(-200, -200), at(-100, -100));
    map().SetCurrentEntityByIndex(0); // Tab during a drag makes the light current: the box is dropped
    view().leftButtonDown(at(-200, -200));
    ASSERT_EQ(view().dragMode(), CXYView::DragMode::SizeNewBrush);
    view().keyDown(ViewKey::Tab);
    drag(at(-100, -100), at(-100, -100));
    EXPECT_EQ(light.brushCount(), 1);
    EXPECT_EQ(world().brushCount(), 3);
}

TEST_F(XYViewTest, PressingBesideTheOnlySelectedBrushDragsTheSidesFacingItAndOnASelectionAllOfIt)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{200, 0, 0}, {264, 64, 64}}, {{0, 128, 0}, {64, 192, 64}}});
    select(0, {0});
    drag(at(100, 30), at(132, 35));
    ExpectBox(worldBrush(0), {0, 0, 0}, {96, 64, 64});
    ExpectSolid(worldBrush(0));
    drag(at(100, 100), at(132, 132)); // beyond a corner both sides facing the press follow
    ExpectBox(worldBrush(0), {0, 0, 0}, {128, 96, 64});
    drag(at(64, 16), at(64, 48)); // alone and pressed inside: no side faces the press, all of it moves
    ExpectBox(worldBrush(0), {0, 32, 0}, {128, 128, 64});
    select(0, {1});
    drag(at(30, 50), at(62, 33));
    ExpectBox(worldBrush(0), {32, 16, 0}, {160, 112, 64});
    ExpectBox(worldBrush(1), {232, -16, 0}, {296, 48, 64});
    ExpectBox(worldBrush(2), {0, 128, 0}, {64, 192, 64});
    map().selectBrush({0, 0}, false);
    drag(at(310, 30), at(-60, 30)); // no volume left: the brush goes
    EXPECT_EQ(world().brushCount(), 2);
}

TEST_F(XYViewTest, AFaceDragFollowsTheSelectedBrushWhenKeysChangeTheBrushList)
{
    makeWorld({{{0, 0, 0}, {128, 128, 64}}, {{32, -32, -16}, {96, 160, 80}}});
    select(0, {1});
    view().leftButtonDown(at(120, 64));
    ASSERT_EQ(view().dragMode(), CXYView::DragMode::DragFaces);
    view().keyDown(ViewKey::Minus); // the pieces first, the dragged cutter last
    drag(at(152, 64), at(152, 64)); // moved and released
    ASSERT_EQ(world().brushCount(), 3);
    EXPECT_TRUE(hasBox({0, 0, 0}, {32, 128, 64}) && hasBox({96, 0, 0}, {128, 128, 64}));
    ExpectBox(worldBrush(2), {32, -32, -16}, {128, 160, 80});

    view().leftButtonDown(at(150, 64)); // the dragged brush deleted under the mouse: the drag moves nothing
    view().keyDown(ViewKey::Delete);
    drag(at(300, 64), at(300, 64));
    ASSERT_EQ(world().brushCount(), 2);
    EXPECT_TRUE(hasBox({0, 0, 0}, {32, 128, 64}) && hasBox({96, 0, 0}, {128, 128, 64}));
}

TEST_F(XYViewTest, ShiftPicksCtrlTurnsTheCameraAndDoubleClicksOrTheMenuPlaceTheMarkers)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    const CQEntity& light = addPointEntity("light", {300, 300, 0});
    drag(at(300, 300, true), at(400, 400, true));
    EXPECT_TRUE(light.isCurrent() && selected(1, 0));
    EXPECT_EQ(map().currentTexture(), "*NONE*") << "the picked face's";
    EXPECT_EQ(light.brushes()[0].Centre(), (Vec3{300, 300, 0})) << "a Shift drag moves nothing";
    drag(at(30, 30, true, true), at(30, 30, true, true));
    EXPECT_TRUE(light.isCurrent()) << "Shift with Ctrl does nothing";
    drag(at(30, 30, true), at(30, 30, true));
    EXPECT_TRUE(world().isCurrent() && selected(0, 0) && !selected(1, 0)) << "the entity losing current loses its selection";
    EXPECT_EQ(map().currentTexture(), "WALL");
    drag(at(30, 30, true), at(30, 30, true));
    EXPECT_EQ(map().countSelectedBrushes(), 0) << "a second pick deselects";

    editor.workspace().camera().moveTo(0, 0);
    drag(at(100, 0, false, true), at(100, 0, false, true));
    EXPECT_NEAR(editor.workspace().camera().heading(), 0, 1e-6);
    view().doubleClick(at(-64, 32, false, true));
    EXPECT_EQ(editor.workspace().camera().position2D(), (MapPoint{-64, 32}));
    view().doubleClick(at(48, -80));
    EXPECT_EQ(editor.workspace().zColumn(), (MapPoint{48, -80}));
    const MouseInput where = at(-128, 256);
    view().contextMenuAt(where.x, where.y);
    view().mouseMove(at(0, 0));
    view().moveCameraHere();
    EXPECT_EQ(editor.workspace().camera().position2D(), (MapPoint{-128, 256}));
}

TEST_F(XYViewTest, EditsPastAnEdgeGrowItToTheMapBoundsPlus64KeepingTheViewStill)
{
    makeWorld({{{1904, 0, 0}, {1968, 64, 64}}, {{-1930, 0, 0}, {-1866, 64, 64}}});
    EXPECT_EQ(view().extents().right, 1968 + 64) << "opened with room around the map";
    select(0, {0});
    drag(at(1936, 32), at(1968, 32));
    EXPECT_EQ(view().extents().right, 2032) << "a brush inside them grows nothing";
    drag(at(1968, 32), at(2016, 32)); // the whole brush, now 1952 to 2048
    EXPECT_EQ(view().extents().right, 2048 + 64);
    drag(at(2000, 32), at(1000, 32)); // moving back never shrinks them
    EXPECT_EQ(view().extents().right, 2112);

    // Growing to the top or the left shifts every window position; the view stays where it was.
    view().centreOn(0, 1900);
    const MapPoint topLeft = view().clientToMap(0, 0);
    map().DeselectAll();
    drag(at(0, 1968), at(64, 2048)); // a new brush past the top
    map().DeselectAll();
    select(0, {1});
    drag(at(-1950, 32), at(-2032, 32)); // a side past the left
    EXPECT_EQ(view().extents().left, -2010 - 64);
    EXPECT_EQ(view().clientToMap(0, 0), topLeft);
    EXPECT_EQ((std::array{view().scrollWidth(), view().scrollHeight()}), (std::array{2112 + 2074, 2112 + 2000}));
}

TEST_F(XYViewTest, PaintsGridClipPointsMapNewBrushZMarkerAndCameraInThatOrderSkippingWhatIsOutOfView)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{1200, 1000, 0}, {1264, 1064, 64}}, {{780, -64, 0}, {844, 0, 64}},
               {{1000, 1000, 0}, {1064, 1064, 64}}});
    view().centreOn(0, 0);
    view().zoomAbout(0.5f, {400, 300}); // the view shows x from -800 to 800, y from -600 to 600
    addBrushEntity("func_door", {-128, 0, 0}, {-64, 64, 64});
    setValue(1, "\"angle\"", "\"90\"");
    addBrushEntity("func_door", {-300, 0, 0}, {-236, 64, 64});
    setValue(2, "\"angle\"", "\"-1\"");
    editor.workspace().clipPoints().AddClipPoint(0, -100, 0, 16);
    editor.workspace().clipPoints().AddClipPoint(64, -100, 0, 16);
    view().leftButtonDown(at(-200, -200)); // a new brush being dragged out
    view().mouseMove(at(-128, -128));
    select(0, {1});
    editor.workspace().toggleClipperMode();
    editor.workspace().setZColumn({32, 32});
    editor.workspace().camera().moveTo(0, -300);
    editor.workspace().camera().lookAt(0, 0); // north

    const RecordingCanvas canvas(view());
    // Top faces only: the other entities' with class names and an arrow along a first brush's angle
    // unless negative, the current one's (when in view, even partly, unless selected), the new brush.
    EXPECT_EQ(canvas.drawn(Kind::Polygon, Colours::Black).size(), 2u);
    const std::vector<DrawCall> name = canvas.drawn(Kind::Text, Colours::Black);
    EXPECT_TRUE(name.size() == 2 && name[0].text == "func_door" && name[0].points[0] == view().mapToWindow(-128, 65));
    EXPECT_EQ(canvas.drawn(Kind::Line, Colours::Black).size(), 3u) << "a shaft and two barbs";
    EXPECT_TRUE(canvas.lineBetween(Colours::Black, view().mapToWindow(-96, 32), view().mapToWindow(-96, 48)));
    EXPECT_EQ(canvas.drawn(Kind::Polygon, Colours::Blue).size(), 2u);
    const std::vector<DrawCall> red = canvas.drawn(Kind::Polygon, Colours::Red);
    ASSERT_EQ(red.size(), 2u);
    EXPECT_EQ(red[0].bounds(), windowBox(1200, 1000, 1264, 1064));
    EXPECT_EQ(red[1].bounds(), windowBox(-208, -208, -128, -128));

    // Clip points: numbered circles of 5 units; the Z column: 3 pixels; the camera: a fixed box and lines.
    const PixelPoint clip = view().mapToWindow(0, -100);
    EXPECT_EQ(canvas.drawn(Kind::Ellipse, Colours::ClipPoint).at(0).bounds(),
              (PixelBox{clip.x - 2, clip.y - 2, clip.x + 2, clip.y + 2}));
    EXPECT_EQ(canvas.drawn(Kind::Text, Colours::ClipPoint).at(1).text, "1");
    const PixelPoint z = view().mapToWindow(32, 32);
    EXPECT_EQ(canvas.drawn(Kind::Ellipse, Colours::Magenta).at(0).bounds(),
              (PixelBox{z.x - 3, z.y - 3, z.x + 3, z.y + 3}));
    const PixelPoint c = view().mapToWindow(0, -300);
    EXPECT_EQ(canvas.drawn(Kind::Line, Colours::Cyan).size(), 7u);
    EXPECT_TRUE(canvas.lineBetween(Colours::Cyan, {c.x - 16, c.y + 8}, {c.x + 16, c.y + 8}));
    EXPECT_TRUE(canvas.lineBetween(Colours::Cyan, c, {c.x - 45, c.y - 45}));
    EXPECT_TRUE(canvas.lineBetween(Colours::Cyan, c, {c.x + 45, c.y - 45}));

    const Rgb order[] = {Colours::Grid, Colours::ClipPoint, Colours::Black, Colours::Blue,
                         Colours::Red,  Colours::Magenta,   Colours::Cyan};
    for (size_t i = 1; i < std::size(order); ++i) EXPECT_TRUE(canvas.drawnBefore(order[i - 1], order[i])) << i;
}

// What the view keeps of the brushes between paints follows every change: a brush shows where the
// map has it after a move, after its undo and in another map read afterwards (whose brushes take
// the same ids); a brush within one pixel shows as that pixel.
TEST_F(XYViewTest, BrushesShowWhereTheMapHasThemNowAndOneWithinAPixelAsADot)
{
    const auto outlines = [this](Rgb pen) {
        std::vector<PixelBox> boxes;
        for (const DrawCall& call : RecordingCanvas(view()).drawn(Kind::Polygon, pen)) boxes.push_back(call.bounds());
        return boxes;
    };
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{200, 0, 0}, {264, 64, 64}}});
    EXPECT_EQ(outlines(Colours::Blue), (std::vector{windowBox(0, 0, 64, 64), windowBox(200, 0, 264, 64)}));
    select(0, {0});
    NudgeSelection(map(), {16, 0, 0});
    EXPECT_EQ(outlines(Colours::Red), std::vector{windowBox(16, 0, 80, 64)});
    map().Undo();
    EXPECT_EQ(outlines(Colours::Red), std::vector{windowBox(0, 0, 64, 64)});

    makeWorld({{{-300, -300, 0}, {-200, -100, 64}}, {{0, 140, 0}, {32, 172, 8}}});
    EXPECT_EQ(outlines(Colours::Blue), (std::vector{windowBox(-300, -300, -200, -100), windowBox(0, 140, 32, 172)}));

    view().zoomAbout(0.01f, {400, 300});
    const PixelPoint dot = view().mapToWindow(0, 140);
    ASSERT_EQ(view().mapToWindow(32, 172), dot);
    const std::vector<DrawCall> drawn = RecordingCanvas(view()).drawn(Kind::Polygon, Colours::Blue);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[1].points, std::vector{dot});
}
