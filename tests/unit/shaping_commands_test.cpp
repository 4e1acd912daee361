#include "document/brush_commands.h"
#include "document/clipboard.h"
#include "document/edit_commands.h"
#include "document/hidden_brushes.h"
#include "editor_fixture.h"
#include "geometry/brush_shape.h"
#include "recording_canvas.h"

using namespace vorn;
using namespace vorn::test;

namespace {

using Kind = RecordingCanvas::Kind;

// An editor whose world holds the box (0, 0, 0)-(64, 64, 64), selected, and the box (128, 0, 0)-
// (192, 64, 64), with 800 x 600 views centred on the origin: the first looks from the top, the
// second from the front. The camera is on.
class ShapingTest : public EditorTest {
protected:
    ShapingTest() : EditorTest(CameraOnPreferences())
    {
        for (CXYView* view : {&top(), &front()}) {
            view->setClientSize(800, 600);
            view->centreOn(0, 0);
        }
        makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 64}}});
        select(0, {0});
    }
    CXYView& top() { return editor.view2D(0); }
    CXYView& front() { return editor.view2D(1); }
    VertexMode& vertexMode() { return editor.workspace().vertexMode(); }
    // The mouse over a point of a view's plane.
    MouseInput over(const CXYView& view, float u, float v, bool shift = false)
    {
        const PixelPoint w = view.mapToWindow(u, v);
        return {w.x - view.scrollX(), w.y - view.scrollY(), shift, false, true};
    }
    std::vector<DVec3> corners(int brush) { return ShapeOf(worldBrush(brush)).vertices; }
    bool hasCorner(int brush, DVec3 p) { return std::ranges::count(corners(brush), p) > 0; }
};

} // namespace

// In vertex mode the selected box shows its handles; a drag over empty space selects those inside,
// which keys move by the grid. (Dragging a handle is driven on the window in the vertex mode test.)
TEST_F(ShapingTest, VertexModeShowsSelectsAndMovesHandlesInTheViews)
{
    editor.workspace().toggleVertexMode();
    const RecordingCanvas canvas(top());
    // Eight corners, twelve edges and six faces, stacked in pairs from above but for the faces.
    EXPECT_EQ(canvas.drawn(Kind::Fill, Colours::Handle).size(), 20u);
    EXPECT_EQ(canvas.drawn(Kind::Polygon, Colours::Handle).size(), 6u);

    // The selected handles stay selected where they went; a click on empty space drops them.
    drag(top(), over(top(), -20, -20), over(top(), 20, 20)); // a band over the south west corner
    const auto selectedHandles = [this] {
        const auto marks = vertexMode().marks(map());
        return std::ranges::count_if(marks, [](const HandleMark& m) { return m.selected; });
    };
    EXPECT_EQ(selectedHandles(), 3) << "its two corners and the edge between them";
    top().keyDown(ViewKey::Left); // by the grid
    EXPECT_TRUE(hasCorner(0, {-16, 0, 0}) && hasCorner(0, {-16, 0, 64}));
    EXPECT_EQ(selectedHandles(), 3);
    drag(top(), over(top(), 300, 300), over(top(), 300, 300));
    EXPECT_EQ(selectedHandles(), 0);

    // Shift+click beside the handles still selects brushes; Escape leaves vertex mode.
    drag(top(), over(top(), 160, 32, true), over(top(), 160, 32, true));
    EXPECT_TRUE(selected(0, 1));
    top().keyDown(ViewKey::Escape);
    EXPECT_FALSE(vertexMode().isOn());
    EXPECT_EQ(map().countSelectedBrushes(), 2);
}

// A move that would flatten the brush, or push a corner inside it, changes nothing, makes no step
// and says why in the status bar; a drag goes on from the last shape it could make.
TEST_F(ShapingTest, RefusedVertexMovesChangeNothing)
{
    editor.workspace().toggleVertexMode();
    const std::string before = mapText();
    drag(front(), over(front(), -20, 100), over(front(), 100, 50)); // a band over the top's handles
    for (int k = 0; k < 4; ++k) front().keyDown(ViewKey::Down); // 16 down each time, the last to the bottom
    EXPECT_EQ(host.statuses, std::vector<std::string>{"The brush would have no volume: the move is refused."});
    ExpectBox(worldBrush(0), {0, 0, 0}, {64, 64, 16});
    for (int k = 0; k < 3; ++k) map().Undo();
    EXPECT_EQ(mapText(), before);
    EXPECT_FALSE(map().canUndo()) << "three steps were made, the fourth refused";

    top().leftButtonDown(over(top(), 64, 64)); // the north east corners
    top().mouseMove(over(top(), 48, 48));
    top().mouseMove(over(top(), 32, 32)); // onto the line between their neighbours: no corners any more
    EXPECT_EQ(host.statuses.back(), "A moved corner would no longer be a corner of the brush: the move is refused.");
    top().leftButtonUp(over(top(), 32, 32));
    EXPECT_TRUE(hasCorner(0, {48, 48, 64})) << "where the last move that could be made left it";
    map().Undo();
    EXPECT_EQ(mapText(), before);
    EXPECT_FALSE(map().canUndo());
}

TEST_F(ShapingTest, DuplicatePasteInPlaceMirrorAndMerge)
{
    DuplicateSelection(map(), {16, -16, 0}, host);
    ASSERT_EQ(world().brushCount(), 3);
    ExpectBox(worldBrush(2), {16, -16, 0}, {80, 48, 64});
    EXPECT_TRUE(selected(0, 2) && !selected(0, 0));
    EXPECT_TRUE(editor.clipboard().brushes.empty()) << "the clipboard is left alone";

    CopySelection(map(), editor.clipboard());
    PasteInPlace(map(), editor.clipboard(), host);
    ExpectBox(worldBrush(3), {16, -16, 0}, {80, 48, 64});

    // A point entity duplicates into a new one, its origin moved with its box.
    const CQEntity& light = addPointEntity("light", {300, 300, 32});
    selectWholeEntity(1);
    DuplicateSelection(map(), {16, -16, 0}, host);
    ASSERT_EQ(map().EntityCount(), 3);
    EXPECT_EQ(map().entity(2).GetValue(kOriginKey), "\"316 284 32\"");
    EXPECT_EQ(light.GetValue(kOriginKey), "\"300 300 32\"");

    // Mirrored about the middle of their bounds, the selected boxes trade places.
    map().SetCurrentEntityByIndex(0);
    select(0, {0, 1});
    MirrorSelection(map(), 0, host);
    ExpectBox(worldBrush(0), {128, 0, 0}, {192, 64, 64});
    ExpectBox(worldBrush(1), {0, 0, 0}, {64, 64, 64});
    ExpectSolid(worldBrush(0));

    MergeSelection(map(), host);
    ASSERT_EQ(world().brushCount(), 3);
    ExpectBox(worldBrush(0), {0, 0, 0}, {192, 64, 64});
    EXPECT_TRUE(selected(0, 0));
    map().DeselectAll();
    select(0, {0});
    MergeSelection(map(), host);
    EXPECT_EQ(host.statuses.back(), "Select two or more brushes of one entity to merge them.");
}

// Hidden brushes are neither drawn nor picked nor selected, the file holds them and the map is
// not changed by hiding; each command is a step, and a map read shows everything.
TEST_F(ShapingTest, HiddenBrushesAreNotDrawnPickedOrWrittenDifferently)
{
    const std::string text = mapText();
    const auto drawnBoxes = [this] { return RecordingCanvas(top()).drawn(Kind::Polygon, Colours::Blue).size() +
                                           RecordingCanvas(top()).drawn(Kind::Polygon, Colours::Red).size(); };
    ASSERT_EQ(drawnBoxes(), 2u);
    HideSelected(map());
    EXPECT_EQ(drawnBoxes(), 1u);
    EXPECT_EQ(map().countSelectedBrushes(), 0);
    EXPECT_FALSE(map().SelectEntityAt({32, 32, 4096}, {32, 32, -4096}, host));
    map().SelectAll();
    EXPECT_TRUE(selected(0, 1) && !selected(0, 0));
    EXPECT_EQ(editor.cameraView().scene().range(worldBrush(0).id()).triangleIndexCount, 0u);
    EXPECT_EQ(mapText(), text);
    EXPECT_FALSE(map().IsModifiedSinceSave());
    EXPECT_EQ(map().undoName(), "Hide Selected");

    HideUnselected(map()); // nothing more: the other box is selected
    EXPECT_EQ(drawnBoxes(), 1u);
    map().DeselectAll();
    HideUnselected(map());
    EXPECT_EQ(drawnBoxes(), 0u);
    ShowAll(map());
    EXPECT_EQ(drawnBoxes(), 2u);
    EXPECT_GT(editor.cameraView().scene().range(worldBrush(0).id()).triangleIndexCount, 0u);
    map().Undo();
    map().Undo();
    EXPECT_EQ(drawnBoxes(), 1u) << "undone, the first is hidden again";
    EXPECT_FALSE(map().IsModifiedSinceSave());

    editor.readMapText(map().WriteMapText("x.map", {}));
    EXPECT_EQ(drawnBoxes(), 2u);
}
