#include "ui/camera_start.h"
#include "ui/xy_view.h"

#include "editor_fixture.h"

using namespace vorn;
using namespace vorn::test;

namespace {

Preferences fourViews()
{
    Preferences prefs;
    prefs.layout = "four";
    return prefs;
}

// The editor's three 2D views, 800 x 600 each and centred on the map origin, in the four-view
// layout where heights follow the selection.
class ViewOrientationTest : public EditorTest {
protected:
    ViewOrientationTest() : EditorTest(fourViews())
    {
        for (int i = 0; i < Editor::kViews2D; ++i) {
            editor.view2D(i).setClientSize(800, 600);
            editor.view2D(i).centreOn(0, 0);
        }
    }

    CXYView& top() { return editor.view2D(0); }
    CXYView& front() { return editor.view2D(1); }
    CXYView& side() { return editor.view2D(2); }
    // The mouse over the view's point (u, v): x and y from the top, x and z from the front, y and
    // z from the side.
    static MouseInput at(const CXYView& view, float u, float v)
    {
        const PixelPoint w = view.mapToWindow(u, v);
        return {w.x - view.scrollX(), w.y - view.scrollY(), false, false, true};
    }
};

} // namespace

// A brush dragged out from the front takes the dragged x and z and the depth of what was selected
// last; one from the side then the y and z it is dragged over, the x of that brush. The heights
// dragged become those of the next brush from the top.
TEST_F(ViewOrientationTest, BrushesDraggedOutFromTheFrontAndTheSideTakeTheHiddenAxisFromTheSelection)
{
    makeWorld({{{0, 32, 0}, {64, 96, 128}}});
    select(0, {0});
    map().DeselectAll();
    drag(front(), at(front(), 128, 16), at(front(), 192, 80));
    ASSERT_EQ(world().brushCount(), 2);
    ExpectBox(worldBrush(1), {128, 32, 16}, {192, 96, 80});
    EXPECT_TRUE(selected(0, 1));

    map().DeselectAll();
    drag(side(), at(side(), -64, 0), at(side(), -16, 48));
    ASSERT_EQ(world().brushCount(), 3);
    ExpectBox(worldBrush(2), {128, -64, 0}, {192, -16, 48});

    map().DeselectAll();
    drag(top(), at(top(), 256, 256), at(top(), 320, 288));
    ExpectBox(worldBrush(3), {256, 256, 0}, {320, 288, 48});
}

// From the side, a drag beside the only selected brush moves the face it is beside: the north side
// from beyond +y, the top from above.
TEST_F(ViewOrientationTest, AFaceDragFromTheSideMovesTheFaceTheMouseIsBeside)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    select(0, {0});
    drag(side(), at(side(), 96, 32), at(side(), 128, 32));
    ExpectBox(worldBrush(0), {0, 0, 0}, {64, 96, 64});
    drag(side(), at(side(), 32, 100), at(side(), 32, 132));
    ExpectBox(worldBrush(0), {0, 0, 0}, {64, 96, 96});
    // Pressed on the brush, the drag moves it along y and z only.
    drag(side(), at(side(), 32, 32), at(side(), 48, 16));
    ExpectBox(worldBrush(0), {0, 16, -16}, {64, 112, 80});
}

// A cut at x = 32 made in the front view keeps the same half as the same cut made from the top:
// the two points placed upward on the screen keep what lies to their right.
TEST_F(ViewOrientationTest, TheClipperFromTheFrontCutsAsTheSameCutFromTheTop)
{
    editor.workspace().toggleClipperMode();
    for (CXYView* view : {&top(), &front()}) {
        makeWorld({{{0, 0, 0}, {64, 64, 64}}});
        select(0, {0});
        view->leftButtonDown(at(*view, 32, 0));
        view->leftButtonUp(at(*view, 32, 0));
        view->leftButtonDown(at(*view, 32, 64));
        view->leftButtonUp(at(*view, 32, 64));
        view->keyDown(ViewKey::Enter);
        ExpectBox(worldBrush(0), {32, 0, 0}, {64, 64, 64});
        editor.workspace().clipPoints().ClearClipPoints();
    }
}

// A map opens with the camera at the first player start, at eye height, looking along its angle;
// without one, above the brushes to their south, looking down at their middle.
TEST_F(ViewOrientationTest, TheCameraStartsAtThePlayerStartOrAboveTheBrushes)
{
    editor.readMapText("{\n\"classname\" \"worldspawn\"\n}\n{\n\"classname\" \"info_player_start\"\n\"origin\" \"100 200 24\"\n"
                       "\"angle\" \"90\"\n}\n{\n\"classname\" \"info_player_start\"\n\"origin\" \"0 0 0\"\n}\n");
    const CameraModel& camera = editor.workspace().camera();
    EXPECT_EQ(camera.position3D(), (Vec3{100, 200, 72}));
    EXPECT_NEAR(camera.heading(), 1.5707963f, 1e-5f);
    EXPECT_NEAR(camera.direction().y, 0, 1e-6f) << "level";

    makeWorld({{{0, 0, 0}, {256, 128, 64}}});
    EXPECT_EQ(camera.position3D(), (Vec3{128, 64 - 192, 32 + 192}));
    EXPECT_NEAR(camera.heading(), 1.5707963f, 1e-5f);
    EXPECT_LT(camera.direction().y, -0.5f) << "looking down";
}
