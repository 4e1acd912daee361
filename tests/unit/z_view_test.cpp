#include "ui/z_view.h"

#include "editor_fixture.h"
#include "recording_canvas.h"

using namespace vorn;
using namespace vorn::test;

namespace {

using Kind = RecordingCanvas::Kind;
constexpr int kWidth = 200;

// The editor with a 200 x 300 Z view (scroll bar 16 wide) whose bottom row shows height −16: z is on row 284 − z.
class ZViewTest : public EditorTest {
protected:
    ZViewTest() { view().setClientSize(kWidth, 300, 16); }

    CZView& view() { return editor.zView(); }
    MouseInput at(int x, float z, bool shift = false, bool ctrl = false) { return zAt(x, z, shift, ctrl); }
    void drag(MouseInput from, MouseInput to) { EditorTest::drag(view(), from, to); }
};

} // namespace

TEST_F(ZViewTest, ShowsOneUnitPerRowScrollsAndSetsHeightsFromTheContextMenu)
{
    EXPECT_TRUE(view().keyDown(ViewKey::PageUp));
    EXPECT_EQ(view().bottomZ(), 48);
    EXPECT_EQ(view().scrollPosition(), 2000);
    view().scrollTo(2048 + 100);
    EXPECT_EQ(view().bottomZ(), -100);
    // A right drag scrolls and opens no menu; a right click without moving opens it.
    view().rightButtonDown({100, 100});
    view().mouseMove({100, 130});
    view().mouseMove({120, 120});
    EXPECT_EQ(view().bottomZ(), -80);
    EXPECT_FALSE(view().rightButtonUp());
    EXPECT_FALSE(view().rightButtonHeld());
    view().rightButtonDown({120, 120});
    view().mouseMove({120, 120});
    EXPECT_TRUE(view().rightButtonUp());
    EXPECT_FALSE(view().rightButtonUp()) << "a release without a press is no click";
    editor.workspace().setGridSize(32); // heights snap to the XY grid while the XY view snaps
    view().contextMenuAt(100, view().rowOf(70));
    view().setMinZHere();
    EXPECT_EQ(map().GetMinZ(), 64);
    view().contextMenuAt(100, view().rowOf(200));
    view().setMaxZHere();
    EXPECT_EQ(map().GetMaxZ(), 192);
    view().setCameraZHere();
    EXPECT_EQ(editor.workspace().camera().position3D().z, 192);
    editor.workspace().setSnapToGrid(false);
    EXPECT_EQ(view().mouseHeight(view().rowOf(70)), 70);
    map().SetMaxZ(-32, 16); // the work heights push each other by the grid
    EXPECT_EQ(std::pair(map().GetMinZ(), map().GetMaxZ()), std::pair(-48.0f, -32.0f));
    map().SetMinZ(100, 16);
    EXPECT_EQ(map().GetMaxZ(), 116);
}

TEST_F(ZViewTest, DrawsTheLabelledScaleTheWorkHeightsTheCameraAndInClipperModeTheClipPoints)
{
    map().SetMaxZ(128, 16);
    editor.workspace().camera().setHeight(100);
    for (const float x : {0, 64, 64}) editor.workspace().clipPoints().AddClipPoint(x, 0, 0, 64); // the second one lifted
    EXPECT_TRUE(RecordingCanvas(view()).drawn(Kind::Ellipse, Colours::ClipPoint).empty()) << "outside clipper mode";
    editor.workspace().toggleClipperMode();
    const RecordingCanvas canvas(view());
    // Lines every 16 units up from height 0 in groups of four until past the top row, then down.
    const std::vector<DrawCall> labels = canvas.drawn(Kind::Text, Colours::Grid);
    ASSERT_EQ(labels.size(), 20u + 4u);
    for (int i = 0; i < 24; ++i) EXPECT_EQ(labels[i].text, std::to_string(i < 20 ? 16 * i : 16 * (20 - i)));
    EXPECT_EQ(labels[21].points[0], (PixelPoint{16 + 1, 292})) << "-16, above its line";
    EXPECT_TRUE(canvas.lineBetween(Colours::Grid, {16, 268}, {kWidth, 268}));
    EXPECT_TRUE(canvas.lineBetween(Colours::Grid, {16 + 25, 236}, {kWidth, 236})) << "every fourth is short";

    EXPECT_TRUE(canvas.lineBetween(Colours::Magenta, {0, 284}, {kWidth, 284}));
    EXPECT_TRUE(canvas.lineBetween(Colours::Magenta, {0, 284 - 128}, {kWidth, 284 - 128}));
    EXPECT_TRUE(canvas.lineBetween(Colours::Green, {kWidth - 58, 184 + 4}, {kWidth - 42, 184 + 4}));
    const std::vector<DrawCall> marks = canvas.drawn(Kind::Ellipse, Colours::ClipPoint);
    EXPECT_TRUE(marks.size() == 2 && marks[1].bounds() == (PixelBox{kWidth / 2 - 5, 215, kWidth / 2 + 5, 225}));
}

TEST_F(ZViewTest, ShowsTheBrushesTheColumnPassesThroughAndTheSelectionAsABar)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{0, 0, 100}, {64, 64, 132}}});
    addBrushEntity("func_door", {0, 0, -40}, {64, 64, -8});
    select(0, {0});
    editor.workspace().setZColumn({1000, 1000}); // the selection's bar shows wherever the column is
    const RecordingCanvas away(view());
    EXPECT_TRUE(away.outlined(Colours::Red, {kWidth - 32, 284 - 64, kWidth - 9, 284}));
    EXPECT_TRUE(away.drawn(Kind::Polygon, Colours::Blue).empty());
    // Inside the column: two outlines for each brush, the current entity's in blue after the rest.
    editor.workspace().setZColumn({32, 32});
    const RecordingCanvas inside(view());
    EXPECT_TRUE(inside.outlined(Colours::Blue, {kWidth - 16, 284 - 64, kWidth, 284}));
    EXPECT_TRUE(inside.outlined(Colours::Black, {kWidth - 24, 284 + 8, kWidth, 284 + 40}));
    EXPECT_EQ(inside.drawn(Kind::Polygon, Colours::Blue).size(), 4u);
    EXPECT_TRUE(inside.drawnBefore(Colours::Black, Colours::Red));
    editor.workspace().setZColumn({64, 32}); // on a brush's side is not inside it
    EXPECT_TRUE(RecordingCanvas(view()).drawn(Kind::Polygon, Colours::Blue).empty());
}

TEST_F(ZViewTest, APressNearTheRightEdgeDragsTheTopOrBottomOfTheOnlySelectedBrushElseTheSelection)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 32}}});
    select(0, {0});
    drag(at(kWidth - 10, 100), at(kWidth - 10, 132)); // above the brush: its top follows
    ExpectBox(worldBrush(0), {0, 0, 0}, {64, 64, 96});
    drag(at(kWidth - 10, -40), at(kWidth - 10, -8)); // below it: its bottom
    ExpectBox(worldBrush(0), {0, 0, 32}, {64, 64, 96});
    ExpectSolid(worldBrush(0));
    drag(at(kWidth - 100, 100), at(kWidth - 100, 132)); // away from the edge: the whole brush
    ExpectBox(worldBrush(0), {0, 0, 64}, {64, 64, 128});
    select(0, {1});
    drag(at(kWidth - 10, 200), at(kWidth - 10, 184)); // with more selected: all of them
    EXPECT_EQ(worldBrush(0).mins().z, 48);
    EXPECT_EQ(worldBrush(1).mins().z, -16);
    map().selectBrush({0, 0}, false);
    drag(at(kWidth - 5, 80), at(kWidth - 5, -64)); // no height left: the brush goes
    ASSERT_EQ(world().brushCount(), 1);
    EXPECT_EQ(worldBrush(0).mins().x, 0);
}

TEST_F(ZViewTest, AHeightDragFollowsTheSelectedBrushWhenKeysChangeTheBrushList)
{
    makeWorld({{{0, 0, 0}, {128, 128, 64}}, {{32, -32, -16}, {96, 160, 80}}});
    select(0, {1});
    view().leftButtonDown(at(kWidth - 5, 112));
    ASSERT_EQ(view().dragMode(), CZView::DragMode::DragFaces);
    view().keyDown(ViewKey::Minus); // the pieces first, the dragged cutter last
    drag(at(kWidth - 5, 144), at(kWidth - 5, 144)); // moved and released
    ASSERT_EQ(world().brushCount(), 3);
    EXPECT_EQ(worldBrush(2).maxs(), (Vec3{96, 160, 112}));
    for (int i = 0; i < 2; ++i) EXPECT_EQ(worldBrush(i).maxs().z, 64);
    view().leftButtonDown(at(kWidth - 5, 160));
    view().keyDown(ViewKey::Delete);
    drag(at(kWidth - 5, 300), at(kWidth - 5, 300));
    ASSERT_EQ(world().brushCount(), 2);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(worldBrush(i).maxs().z, 64);
}

TEST_F(ZViewTest, ShiftPicksAtTheClickedHeightCtrlSetsTheCameraHeightAndTheEditingKeysAreShared)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{0, 0, 64}, {64, 64, 128}}});
    editor.workspace().setZColumn({32, 32});
    drag(at(50, 90, true), at(50, 90, true));
    EXPECT_TRUE(selected(0, 1) && !selected(0, 0));
    drag(at(50, 37, false, true), at(50, 37, false, true));
    EXPECT_EQ(editor.workspace().camera().position3D().z, 37) << "not snapped";
    EXPECT_FALSE(view().keyDown(ViewKey::Left)) << "not a key of this view";
    EXPECT_TRUE(view().keyDown(ViewKey::Delete)); // the keys both views share
    EXPECT_EQ(world().brushCount(), 1);
}
