#include "document/entity_commands.h"
#include "editor_fixture.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::test;

// An entity put down from above stands on the bottom of the work heights, on the grid; from the
// front it goes where it was put, amid the depth of what was selected last. A world is needed
// first, and only classes with a box are placed, each as one step.
TEST_F(EditorTest, APlacedPointEntityStandsOnTheGridWhereItWasPutAndNeedsAWorld)
{
    PlacePointEntity(map(), editor.classes(), "light", {10, 20, 0}, host);
    EXPECT_EQ(map().EntityCount(), 0);
    EXPECT_EQ(host.messages, std::vector<std::string>{"You must create a brush first!"});

    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    map().SetMinZ(32, 16);
    PlacePointEntity(map(), editor.classes(), "func_door", {10, 20, 0}, host);
    PlacePointEntity(map(), editor.classes(), "unknown", {10, 20, 0}, host);
    EXPECT_EQ(map().EntityCount(), 1) << "only classes with a box are placed";

    CXYView& top = editor.xyView();
    top.setClientSize(800, 600);
    top.centreOn(0, 0);
    const PixelPoint w = top.mapToWindow(10.5f, 20);
    const Vec3 fromAbove = top.placementPoint(w.x - top.scrollX(), w.y - top.scrollY(), -24);
    EXPECT_EQ(fromAbove, (Vec3{16, 16, 56}));
    PlacePointEntity(map(), editor.classes(), "info_player_start", fromAbove, host);
    ASSERT_EQ(map().EntityCount(), 2);
    EXPECT_EQ(map().entity(1).GetValue("\"origin\""), "\"16 16 56\"");
    ExpectBox(map().entity(1).brush(0), {0, 0, 32}, {32, 32, 88});
    map().Undo();
    EXPECT_EQ(map().EntityCount(), 1);

    select(0, {0}); // the depth of new things from the front: y from 0 to 64
    CXYView& front = editor.view2D(1);
    front.setClientSize(800, 600);
    front.centreOn(0, 0);
    const PixelPoint f = front.mapToWindow(100, 200);
    EXPECT_EQ(front.placementPoint(f.x - front.scrollX(), f.y - front.scrollY(), -24), (Vec3{96, 32, 208}));
}
