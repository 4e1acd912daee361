#include "document/curved_primitives.h"
#include "document/primitives.h"

#include "brush_checks.h"
#include "fakes.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vorn;
using namespace vorn::test;

TEST(Room, WallsEncloseTheOldBoxAndLeaveTheHollow)
{
    FakeHost log;
    const auto room = MakeRoom(Box({0, 0, 0}, {256, 256, 128}), 16, "BRICK", log);
    ASSERT_TRUE(room && !room->inPlace);
    const std::vector<CQBrush>& walls = room->brushes;
    ASSERT_EQ(walls.size(), 6u);
    for (const CQBrush& wall : walls) ExpectSolid(wall);
    // Sampled between grid lines: inside a wall exactly where the old box was and the hollow is not.
    for (float x = -4; x < 264; x += 8) {
        for (float y = -4; y < 264; y += 8) {
            for (float z = -4; z < 136; z += 8) {
                const bool inBox = x > 0 && x < 256 && y > 0 && y < 256 && z > 0 && z < 128;
                const bool inHollow = x > 16 && x < 240 && y > 16 && y < 240 && z > 16 && z < 112;
                EXPECT_EQ(CountContaining(walls, {x, y, z}) > 0, inBox && !inHollow) << x << " " << y << " " << z;
            }
        }
    }

    // The walls of a slanted brush are solids too.
    CQBrush slanted = Box({0, 0, 0}, {128, 128, 64});
    slanted.RotateZ(30, log);
    slanted.RotateX(20, log);
    const auto slantedRoom = MakeRoom(slanted, 8, "BRICK", log);
    ASSERT_TRUE(slantedRoom);
    ASSERT_EQ(slantedRoom->brushes.size(), 6u);
    for (const CQBrush& wall : slantedRoom->brushes) ExpectSolid(wall);
}

TEST(Room, ThicknessBelowOneNoSolidOrAFaceWithTooManyCornersAreRefused)
{
    FakeHost log;
    const CQBrush b = Box({0, 0, 0}, {64, 64, 64});
    EXPECT_FALSE(MakeRoom(b, 0, "BRICK", log));
    EXPECT_FALSE(MakeRoom(CQBrush(), 8, "BRICK", log));
    // The base of a 49-sided spike has more corners than a wall can have sides.
    const auto spike = MakeSpike(b, 0, 49, "SPIKE", log);
    ASSERT_TRUE(spike);
    EXPECT_FALSE(MakeRoom(spike->brushes[0], 8, "BRICK", log));
    EXPECT_EQ(log.debugCount("MakeRoom: a face has too many corners for a wall\n"), 1);
}

TEST(Stairs, StepsOfTheChosenHeightRiseTowardTheUpEnd)
{
    // Up end, step height and steps in a box 128 square and 64 high; fewer than two steps are refused.
    for (const auto& [up, height, count] : {std::tuple{Compass::North, 16, 4}, std::tuple{Compass::South, 24, 3},
                                            std::tuple{Compass::East, 32, 2}, std::tuple{Compass::West, 16, 4},
                                            std::tuple{Compass::North, 40, 1}}) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(up) << " " << height);
        FakeHost log;
        const auto stairs = MakeStairs(Box({0, 0, 0}, {128, 128, 64}), up, height, 0, "STEP", log);
        ASSERT_EQ(stairs.has_value(), count > 1);
        if (!stairs) continue;
        std::vector<CQBrush> steps = stairs->brushes;
        ASSERT_EQ(steps.size(), static_cast<size_t>(count));
        std::ranges::sort(steps, {}, [](const CQBrush& b) { return b.maxs().z; });
        const int run = up == Compass::North || up == Compass::South ? 1 : 0;
        const bool towardHigh = up == Compass::North || up == Compass::East;
        const float depth = 128.0f * static_cast<float>(height) / 64;
        for (int j = 0; j < count; ++j) {
            const CQBrush& step = steps[static_cast<size_t>(j)];
            ExpectSolid(step);
            const bool last = j == count - 1;
            EXPECT_FLOAT_EQ(step.maxs().z, last ? 64.0f : static_cast<float>((j + 1) * height));
            // The low end of the run is the side away from the up end.
            const float nearEdge = j * depth;
            const float farEdge = last ? 128 : (j + 1) * depth;
            EXPECT_NEAR(step.mins()[run], towardHigh ? nearEdge : 128 - farEdge, 0.02f);
            EXPECT_NEAR(step.maxs()[run], towardHigh ? farEdge : 128 - nearEdge, 0.02f);
            EXPECT_TRUE(step.mins().z == 0 && step.mins()[1 - run] == 0 && step.maxs()[1 - run] == 128);
        }
    }
}

TEST(Stairs, ThicknessMakesSlabsUnderTheTreadsAndANegativeOneIsRefused)
{
    FakeHost log;
    const CQBrush b = Box({0, 0, 0}, {64, 128, 64});
    EXPECT_FALSE(MakeStairs(b, Compass::North, 16, -8, "STEP", log));
    const auto stairs = MakeStairs(b, Compass::North, 16, 8, "STEP", log);
    ASSERT_TRUE(stairs);
    ASSERT_EQ(stairs->brushes.size(), 4u);
    for (const CQBrush& slab : stairs->brushes) EXPECT_FLOAT_EQ(slab.maxs().z - slab.mins().z, 8);
}

TEST(Ramp, IsAWedgeFullHeightAtTheElevatedEnd)
{
    // The elevated end, a point high up at that end and one as high at the other end.
    for (const auto& [end, high, low] : {std::tuple{Compass::North, Vec3{32, 120, 52}, Vec3{32, 8, 52}},
                                         std::tuple{Compass::South, Vec3{32, 8, 52}, Vec3{32, 120, 52}},
                                         std::tuple{Compass::East, Vec3{56, 64, 52}, Vec3{8, 64, 52}},
                                         std::tuple{Compass::West, Vec3{8, 64, 52}, Vec3{56, 64, 52}}}) {
        FakeHost log;
        const auto made = MakeRamp(Box({0, 0, 0}, {64, 128, 64}), end, "RAMP", log);
        ASSERT_TRUE(made && made->brushes.size() == 1);
        const CQBrush& ramp = made->brushes[0];
        ExpectSolid(ramp);
        EXPECT_EQ(ramp.CountFaces(), 5);
        EXPECT_TRUE(ramp.mins() == kOrigin && ramp.maxs() == (Vec3{64, 128, 64}));
        EXPECT_NEAR(Volume(ramp), 64.0f * 128 * 64 / 2, 1.0f);
        EXPECT_TRUE(Contains(ramp, high) && !Contains(ramp, low)) << static_cast<int>(end);
    }
}
