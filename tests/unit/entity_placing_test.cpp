#include "document/entity_commands.h"
#include "editor_fixture.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::test;

TEST_F(EditorTest, APlacedPointEntityStandsOnTheHeightRangesBottomAndNeedsAWorld)
{
    PlacePointEntity(map(), editor.classes(), "light", {{10, 20, 0}, false, 16}, host);
    EXPECT_EQ(map().EntityCount(), 0);
    EXPECT_EQ(host.messages, std::vector<std::string>{"You must create a brush first!"});

    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    map().SetMinZ(32, 16);
    PlacePointEntity(map(), editor.classes(), "func_door", {{10, 20, 0}, true, 16}, host);
    PlacePointEntity(map(), editor.classes(), "unknown", {{10, 20, 0}, true, 16}, host);
    EXPECT_EQ(map().EntityCount(), 1) << "only classes with a box are placed";
    PlacePointEntity(map(), editor.classes(), "info_player_start", {{10.5f, 20, 0}, false, 16}, host);
    ASSERT_EQ(map().EntityCount(), 2);
    EXPECT_EQ(map().entity(1).GetValue("\"origin\""), "\"10 20 56\"");
    ExpectBox(map().entity(1).brush(0), {-6, 4, 32}, {26, 36, 88});
    EXPECT_TRUE(map().canUndo());
    map().Undo();
    EXPECT_EQ(map().EntityCount(), 1);
}
