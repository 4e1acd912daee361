#include "ui/z_view.h"

#include "brush_checks.h"
#include "editor_fixture.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::test;

namespace {

using Kind = RecordingCanvas::Kind;

constexpr int kWidth = 200;
constexpr int kHeight = 300;
constexpr int kScrollBar = 16;

// The editor with a 200 x 300 Z view whose bottom row shows height −16: height z is on row 284 − z.
class ZViewTest : public EditorTest {
protected:
    ZViewTest() { view().setClientSize(kWidth, kHeight, kScrollBar); }

    CZView& view() { return editor.zView(); }

    // The mouse at a column of pixels and on the row of a height.
    MouseInput at(int x, float z, bool shift = false, bool ctrl = false)
    {
        return {x, view().rowOf(z), shift, ctrl, true};
    }

    CQEntity& world() { return map().entity(0); }
    CQBrush& worldBrush(int i) { return world().brushes()[static_cast<size_t>(i)]; }

    RecordingCanvas painted()
    {
        RecordingCanvas canvas;
        view().paint(canvas);
        return canvas;
    }
};

} // namespace

TEST_F(ZViewTest, ShowsOneMapUnitPerRowAboveTheBottomHeight)
{
    EXPECT_EQ(view().rowOf(0), 284);
    EXPECT_EQ(view().heightAt(284), 0);
    EXPECT_EQ(view().heightAt(0), 284);
    EXPECT_EQ(view().rowOf(-16), 300);

    // Mouse heights snap to the XY grid while the XY view snaps.
    EXPECT_EQ(view().mouseHeight(284 - 9), 16);
    EXPECT_EQ(view().mouseHeight(284 + 7), 0);
    editor.xyView().setSnapToGrid(false);
    EXPECT_EQ(view().mouseHeight(284 - 9), 9);
}

TEST_F(ZViewTest, LabelsTheScaleUpAndDownFromHeightZero)
{
    const RecordingCanvas canvas = painted();
    const std::vector<std::string> texts = canvas.texts();
    // Going up in groups of four until past the top row, then down until past the bottom one.
    const std::vector<std::string> up{"0", "16", "32", "48", "64", "80", "96", "112", "128", "144", "160", "176",
                                      "192", "208", "224", "240", "256", "272", "288", "304"};
    const std::vector<std::string> down{"0", "-16", "-32", "-48"};
    std::vector<std::string> expected = up;
    expected.insert(expected.end(), down.begin(), down.end());
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(canvas.textAt("0"), (PixelPoint{kScrollBar + 1, 276}));
    EXPECT_EQ(canvas.textAt("-16"), (PixelPoint{kScrollBar + 1, 292}));

    // Every fourth line starts further right.
    EXPECT_TRUE(canvas.lineBetween(Colours::Grid, {kScrollBar, 268}, {kWidth, 268}));
    EXPECT_TRUE(canvas.lineBetween(Colours::Grid, {kScrollBar + 25, 236}, {kWidth, 236}));
    EXPECT_TRUE(canvas.lineBetween(Colours::Grid, {kScrollBar, 220}, {kWidth, 220}));
}

TEST_F(ZViewTest, ScrollKeysMoveTheBottomHeightAndTheThumbFollows)
{
    EXPECT_EQ(view().scrollPosition(), 2048 + 16);
    EXPECT_TRUE(view().keyDown(ViewKey::PageUp));
    EXPECT_EQ(view().bottomZ(), 48);
    EXPECT_EQ(view().scrollPosition(), 2000);
    EXPECT_EQ(host.lastUpdate(), ViewFlags::Z);
    view().keyDown(ViewKey::PageDown);
    EXPECT_EQ(view().bottomZ(), -16);
    EXPECT_EQ(view().scrollPosition(), 2064);

    view().keyDown(ViewKey::Up);
    view().keyDown(ViewKey::Up);
    view().keyDown(ViewKey::Down);
    EXPECT_EQ(view().bottomZ(), 0);
    EXPECT_EQ(view().rowOf(0), kHeight);

    view().scrollTo(2048 + 100);
    EXPECT_EQ(view().bottomZ(), -100);
    EXPECT_EQ(view().scrollPosition(), 2148);
}

TEST_F(ZViewTest, ContextMenuSetsTheWorkHeightsAndTheCameraHeightWhereItOpened)
{
    ASSERT_EQ(map().GetMinZ(), 0);
    ASSERT_EQ(map().GetMaxZ(), 16);
    ASSERT_TRUE(view().contextMenuAt(100, view().rowOf(-30)));
    view().setMaxZHere();
    EXPECT_EQ(map().GetMaxZ(), -32);
    EXPECT_EQ(map().GetMinZ(), -48) << "below the low bound: the low bound moves a grid below";
    EXPECT_EQ(host.lastUpdate(), ViewFlags::Z);

    editor.xyView().setGridSize(32);
    view().contextMenuAt(100, view().rowOf(64));
    view().setMinZHere();
    EXPECT_EQ(map().GetMinZ(), 64);
    EXPECT_EQ(map().GetMaxZ(), 96);

    view().contextMenuAt(100, view().rowOf(200));
    view().setCameraZHere();
    EXPECT_EQ(editor.camera().position3D().z, 192);
    EXPECT_EQ(host.lastUpdate(), ViewFlags::CameraZ);
}

TEST_F(ZViewTest, DrawsTheWorkHeightsAndTheCamera)
{
    map().SetMaxZ(128);
    editor.camera().setHeight(100);
    const RecordingCanvas canvas = painted();
    EXPECT_TRUE(canvas.lineBetween(Colours::Magenta, {0, 284}, {kWidth, 284}));
    EXPECT_TRUE(canvas.lineBetween(Colours::Magenta, {0, 284 - 128}, {kWidth, 284 - 128}));
    const int y = 284 - 100;
    EXPECT_TRUE(canvas.lineBetween(Colours::Green, {kWidth - 58, y + 4}, {kWidth - 42, y + 4}));
    EXPECT_TRUE(canvas.lineBetween(Colours::Green, {kWidth - 50, y}, {kWidth - 40, y - 10}));
    EXPECT_TRUE(canvas.lineBetween(Colours::Green, {kWidth - 50, y}, {kWidth - 40, y + 10}));
    EXPECT_LT(canvas.lastWith(Colours::Grid), canvas.firstWith(Colours::Magenta));
    EXPECT_LT(canvas.lastWith(Colours::Magenta), canvas.firstWith(Colours::Green));
}

TEST_F(ZViewTest, ShowsTheBrushesTheColumnPassesThroughAndTheSelectionAsABar)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{0, 0, 100}, {64, 64, 132}}});
    CQEntity door;
    door.SetValue("\"classname\"", "\"func_door\"");
    door.AddBrush(box({0, 0, -40}, {64, 64, -8}));
    map().AddEntity(door);
    map().SetCurrentEntityByIndex(0);
    worldBrush(0).SetSelected(true);

    // A selected brush shows its bar wherever the column is.
    editor.setZViewPosition({1000, 1000});
    RecordingCanvas canvas = painted();
    EXPECT_TRUE(canvas.outlined(Colours::Red, {kWidth - 32, 284 - 64, kWidth - 9, 284}));
    EXPECT_EQ(canvas.count(Kind::Polygon, Colours::Red), 1);
    EXPECT_EQ(canvas.count(Kind::Polygon, Colours::Blue), 0);
    EXPECT_EQ(canvas.count(Kind::Polygon, Colours::Black), 0);

    // Inside the column: two outlines from the right edge for each brush, the current entity's
    // in blue, drawn after the others in black.
    editor.setZViewPosition({32, 32});
    canvas = painted();
    EXPECT_TRUE(canvas.outlined(Colours::Blue, {kWidth - 16, 284 - 64, kWidth, 284}));
    EXPECT_TRUE(canvas.outlined(Colours::Blue, {kWidth - 24, 284 - 64, kWidth, 284}));
    EXPECT_TRUE(canvas.outlined(Colours::Blue, {kWidth - 24, 284 - 132, kWidth, 284 - 100}));
    EXPECT_TRUE(canvas.outlined(Colours::Black, {kWidth - 24, 284 + 8, kWidth, 284 + 40}));
    EXPECT_EQ(canvas.count(Kind::Polygon, Colours::Blue), 4);
    EXPECT_EQ(canvas.count(Kind::Polygon, Colours::Black), 2);
    EXPECT_LT(canvas.lastWith(Colours::Black), canvas.firstWith(Colours::Red));

    // A column on a brush's side is not inside it.
    editor.setZViewPosition({64, 32});
    EXPECT_EQ(painted().count(Kind::Polygon, Colours::Blue), 0);
}

TEST_F(ZViewTest, DrawsTheClipPointsInClipperMode)
{
    editor.clipPoints().AddClipPoint(0, 0, 0, 64);
    editor.clipPoints().AddClipPoint(64, 0, 0, 64);
    editor.clipPoints().AddClipPoint(64, 0, 0, 64);
    EXPECT_EQ(painted().count(Kind::Ellipse, Colours::ClipPoint), 0);

    editor.xyView().toggleClipperMode();
    const RecordingCanvas canvas = painted();
    const std::vector<DrawCall> marks = canvas.drawn(Kind::Ellipse, Colours::ClipPoint);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0].bounds().top + 5, 284);
    EXPECT_EQ(marks[1].bounds().top + 5, 284 - 64);
    EXPECT_EQ(canvas.drawn(Kind::Text, Colours::ClipPoint).back().text, "1");
}

TEST_F(ZViewTest, APressNearTheRightEdgeDragsTheTopOrBottomOfTheOnlySelectedBrush)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    worldBrush(0).SetSelected(true);

    view().leftButtonDown(at(kWidth - 10, 100));
    EXPECT_EQ(view().dragMode(), CZView::DragMode::DragFaces);
    EXPECT_EQ(host.debugCount("dragging brush plane\n"), 1);
    view().mouseMove(at(kWidth - 10, 132));
    EXPECT_EQ(host.lastUpdate(), ViewFlags::CameraZ);
    view().leftButtonUp();
    EXPECT_EQ(view().dragMode(), CZView::DragMode::Idle);
    EXPECT_EQ(worldBrush(0).mins(), (Vec3{0, 0, 0}));
    EXPECT_EQ(worldBrush(0).maxs(), (Vec3{64, 64, 96}));

    // Below the brush the bottom follows.
    view().leftButtonDown(at(kWidth - 10, -40));
    view().mouseMove(at(kWidth - 10, -8));
    view().leftButtonUp();
    EXPECT_EQ(worldBrush(0).mins(), (Vec3{0, 0, 32}));
    EXPECT_EQ(worldBrush(0).maxs(), (Vec3{64, 64, 96}));
    ExpectSolid(worldBrush(0));
}

TEST_F(ZViewTest, APressAwayFromTheEdgeOrWithMoreSelectedDragsTheSelection)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 32}}});
    worldBrush(0).SetSelected(true);

    view().leftButtonDown(at(kWidth - 100, 100));
    EXPECT_EQ(view().dragMode(), CZView::DragMode::DragSelection);
    EXPECT_EQ(host.debugCount("Z dragging selection\n"), 1);
    view().mouseMove(at(kWidth - 100, 132));
    view().leftButtonUp();
    EXPECT_EQ(worldBrush(0).mins(), (Vec3{0, 0, 32}));
    EXPECT_EQ(worldBrush(0).maxs(), (Vec3{64, 64, 96}));

    worldBrush(1).SetSelected(true);
    view().leftButtonDown(at(kWidth - 10, 200));
    EXPECT_EQ(view().dragMode(), CZView::DragMode::DragSelection);
    view().mouseMove(at(kWidth - 10, 184));
    view().leftButtonUp();
    EXPECT_EQ(worldBrush(0).mins().z, 16);
    EXPECT_EQ(worldBrush(1).mins().z, -16);

    // Nothing selected: a press starts no drag.
    map().DeselectAll();
    view().leftButtonDown(at(kWidth - 10, 200));
    EXPECT_EQ(view().dragMode(), CZView::DragMode::Idle);
    view().leftButtonUp();
}

TEST_F(ZViewTest, AHeightDragThatLeavesNoVolumeDropsTheBrush)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 64}}});
    worldBrush(0).SetSelected(true);
    view().leftButtonDown(at(kWidth - 5, 80));
    view().mouseMove(at(kWidth - 5, -16));
    view().leftButtonUp();
    ASSERT_EQ(world().brushCount(), 1);
    EXPECT_EQ(worldBrush(0).mins().x, 128);
}

TEST_F(ZViewTest, AHeightDragFollowsTheSelectedBrushWhenKeysChangeTheBrushList)
{
    makeWorld({{{0, 0, 0}, {128, 128, 64}}, {{32, -32, -16}, {96, 160, 80}}});
    worldBrush(1).SetSelected(true);
    view().leftButtonDown(at(kWidth - 5, 112));
    ASSERT_EQ(view().dragMode(), CZView::DragMode::DragFaces);
    view().keyDown(ViewKey::Minus); // the pieces first, the dragged cutter last
    view().mouseMove(at(kWidth - 5, 144));
    view().leftButtonUp();
    ASSERT_EQ(world().brushCount(), 3);
    EXPECT_EQ(worldBrush(2).maxs(), (Vec3{96, 160, 112}));
    for (int i = 0; i < 2; ++i) EXPECT_EQ(worldBrush(i).maxs().z, 64);

    view().leftButtonDown(at(kWidth - 5, 160));
    ASSERT_EQ(view().dragMode(), CZView::DragMode::DragFaces);
    view().keyDown(ViewKey::Delete);
    view().mouseMove(at(kWidth - 5, 300));
    view().leftButtonUp();
    ASSERT_EQ(world().brushCount(), 2);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(worldBrush(i).maxs().z, 64);
}

TEST_F(ZViewTest, ShiftClickTogglesTheBrushAtThatHeightAndCtrlClickSetsTheCameraHeight)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{0, 0, 64}, {64, 64, 128}}});
    editor.setZViewPosition({32, 32});
    view().leftButtonDown(at(50, 90, true));
    view().leftButtonUp();
    EXPECT_FALSE(worldBrush(0).IsSelected());
    EXPECT_TRUE(worldBrush(1).IsSelected());
    EXPECT_EQ(host.lastUpdate(), ViewFlags::All);

    view().leftButtonDown(at(50, 200, true));
    view().leftButtonUp();
    EXPECT_EQ(world().selectedCount(), 1) << "nothing at that height";

    view().leftButtonDown(at(50, 37, false, true));
    view().leftButtonUp();
    EXPECT_EQ(editor.camera().position3D().z, 37) << "not snapped";
    EXPECT_EQ(host.lastUpdate(), ViewFlags::CameraZ);
}

TEST_F(ZViewTest, ARightDragScrollsAndSuppressesTheNextContextMenuOnce)
{
    view().rightButtonDown({100, 100});
    view().mouseMove({100, 130});
    EXPECT_EQ(view().bottomZ(), 14);
    EXPECT_EQ(host.lastUpdate(), ViewFlags::Z);
    view().mouseMove({120, 120});
    EXPECT_EQ(view().bottomZ(), 4);
    view().rightButtonUp();
    EXPECT_FALSE(view().contextMenuAt(120, 120));
    EXPECT_TRUE(view().contextMenuAt(120, 120));

    // A right click without moving shows the menu.
    view().rightButtonDown({50, 50});
    view().mouseMove({60, 50});
    view().rightButtonUp();
    EXPECT_EQ(view().bottomZ(), 4);
    EXPECT_TRUE(view().contextMenuAt(60, 50));

    // The left button works again afterwards.
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    worldBrush(0).SetSelected(true);
    view().leftButtonDown(at(10, 100));
    EXPECT_EQ(view().dragMode(), CZView::DragMode::DragSelection);
    view().leftButtonUp();
}

TEST_F(ZViewTest, SharesTheEditingKeysWithTheXYView)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 64}}});
    worldBrush(0).SetSelected(true);
    EXPECT_FALSE(view().keyDown(ViewKey::Enter)) << "Enter clips only in clipper mode";
    EXPECT_FALSE(view().keyDown(ViewKey::Left));
    EXPECT_TRUE(view().keyDown(ViewKey::Delete));
    EXPECT_EQ(world().brushCount(), 1);
    EXPECT_EQ(host.lastUpdate(), ViewFlags::Editing);
    worldBrush(0).SetSelected(true);
    EXPECT_TRUE(view().keyDown(ViewKey::Escape));
    EXPECT_EQ(world().selectedCount(), 0);
}
