#include "document/primitives.h"

#include "brush_checks.h"
#include "recording_debug.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vorn;
using namespace vorn::test;

namespace {

// Tops of the steps, lowest first, and the run-axis ranges in the same order.
struct Step {
    float low;
    float high;
    float bottom;
    float top;
};

std::vector<Step> stepsAlong(const CQEntity& e, int axis)
{
    std::vector<Step> steps;
    for (const CQBrush& b : e.brushes()) steps.push_back({b.mins()[axis], b.maxs()[axis], b.mins().z, b.maxs().z});
    std::sort(steps.begin(), steps.end(), [](const Step& a, const Step& b) { return a.top < b.top; });
    return steps;
}

} // namespace

TEST(Room, WallsEncloseTheOldBoxAndLeaveTheHollow)
{
    RecordingDebug log;
    CQEntity e = EntityWithBox({0, 0, 0}, {256, 256, 128});
    ASSERT_TRUE(MakeRoom(e, 0, 16, "BRICK", log));

    ASSERT_EQ(e.brushCount(), 6);
    EXPECT_EQ(e.selectedCount(), 6);
    for (const CQBrush& wall : e.brushes()) {
        ExpectSolid(wall);
        for (const CQFace& f : wall.faces()) EXPECT_EQ(f.texture, "BRICK");
    }
    // Sample between the grid lines: inside a wall exactly where the old box was and the
    // 224 x 224 x 96 hollow is not.
    for (float x = -4; x < 264; x += 8) {
        for (float y = -4; y < 264; y += 8) {
            for (float z = -4; z < 136; z += 8) {
                const bool inBox = x > 0 && x < 256 && y > 0 && y < 256 && z > 0 && z < 128;
                const bool inHollow = x > 16 && x < 240 && y > 16 && y < 240 && z > 16 && z < 112;
                EXPECT_EQ(CountContaining(e.brushes(), {x, y, z}) > 0, inBox && !inHollow) << x << " " << y << " " << z;
            }
        }
    }
}

TEST(Room, ThicknessBelowOneOrABadIndexChangesNothing)
{
    RecordingDebug log;
    CQEntity e = EntityWithBox({0, 0, 0}, {64, 64, 64});
    EXPECT_FALSE(MakeRoom(e, 0, 0, "BRICK", log));
    EXPECT_FALSE(MakeRoom(e, 1, 8, "BRICK", log));
    ASSERT_EQ(e.brushCount(), 1);
    EXPECT_EQ(e.brushes()[0].maxs(), (Vec3{64, 64, 64}));
}

TEST(Room, WallsOfASlantedBrushAreSolid)
{
    RecordingDebug log;
    CQEntity e = EntityWithBox({0, 0, 0}, {128, 128, 64});
    e.RotateSelectionZ(30, log);
    e.RotateSelectionX(20, log);
    const float before = Volume(e.brushes()[0]);
    ASSERT_TRUE(MakeRoom(e, 0, 8, "BRICK", log));
    ASSERT_EQ(e.brushCount(), 6);
    float walls = 0;
    for (const CQBrush& wall : e.brushes()) {
        ExpectSolid(wall);
        walls += Volume(wall);
    }
    // The walls overlap along the edges, so together they are more than the shell alone.
    const float hollow = 112.0f * 112.0f * 48.0f;
    EXPECT_GT(walls, before - hollow - 1.0f);
}

TEST(Stairs, StepCountFollowsTheStepHeight)
{
    struct Case {
        int height;
        int steps;
    };
    for (const Case c : {Case{16, 4}, Case{24, 3}, Case{32, 2}, Case{40, 1}}) {
        RecordingDebug log;
        CQEntity e = EntityWithBox({0, 0, 0}, {64, 128, 64});
        const bool changed = MakeStairs(e, 0, Compass::North, c.height, 0, "STEP", log);
        EXPECT_EQ(changed, c.steps > 1) << c.height;
        ASSERT_EQ(e.brushCount(), c.steps) << c.height;
        if (!changed) {
            EXPECT_EQ(e.brushes()[0].maxs(), (Vec3{64, 128, 64}));
            continue;
        }
        const std::vector<Step> steps = stepsAlong(e, 1);
        const float depth = 128.0f / (64.0f / static_cast<float>(c.height));
        for (int j = 0; j < c.steps; ++j) {
            const bool last = j == c.steps - 1;
            EXPECT_FLOAT_EQ(steps[j].top, last ? 64.0f : static_cast<float>((j + 1) * c.height));
            EXPECT_FLOAT_EQ(steps[j].bottom, 0);
            EXPECT_NEAR(steps[j].low, j * depth, 0.02f);
            EXPECT_NEAR(steps[j].high, last ? 128.0f : (j + 1) * depth, 0.02f);
        }
        for (const CQBrush& b : e.brushes()) {
            ExpectSolid(b);
            EXPECT_EQ(b.mins().x, 0);
            EXPECT_EQ(b.maxs().x, 64);
            EXPECT_TRUE(b.IsSelected());
        }
    }
}

TEST(Stairs, SouthMirrorsNorthAndEastMirrorsWest)
{
    struct Pair {
        Compass a;
        Compass b;
        int axis;
    };
    for (const Pair p : {Pair{Compass::North, Compass::South, 1}, Pair{Compass::East, Compass::West, 0}}) {
        RecordingDebug log;
        CQEntity first = EntityWithBox({0, 0, 0}, {96, 96, 48});
        CQEntity second = EntityWithBox({0, 0, 0}, {96, 96, 48});
        ASSERT_TRUE(MakeStairs(first, 0, p.a, 16, 0, "STEP", log));
        ASSERT_TRUE(MakeStairs(second, 0, p.b, 16, 0, "STEP", log));
        const std::vector<Step> up = stepsAlong(first, p.axis);
        const std::vector<Step> down = stepsAlong(second, p.axis);
        ASSERT_EQ(up.size(), 3u);
        ASSERT_EQ(down.size(), 3u);
        for (size_t j = 0; j < up.size(); ++j) {
            EXPECT_FLOAT_EQ(up[j].top, down[j].top);
            EXPECT_NEAR(up[j].low, 96 - down[j].high, 0.02f);
            EXPECT_NEAR(up[j].high, 96 - down[j].low, 0.02f);
            if (j > 0) {
                EXPECT_GT(up[j].low, up[j - 1].low) << "two steps in the same place";
            }
        }
        // The low end is at the far side from the chosen end.
        EXPECT_EQ(up.front().low, 0);
        EXPECT_EQ(down.front().high, 96);
    }
}

TEST(Stairs, ThicknessMakesSlabsUnderTheTreads)
{
    RecordingDebug log;
    CQEntity e = EntityWithBox({0, 0, 0}, {64, 128, 64});
    ASSERT_TRUE(MakeStairs(e, 0, Compass::North, 16, 8, "STEP", log));
    const std::vector<Step> steps = stepsAlong(e, 1);
    ASSERT_EQ(steps.size(), 4u);
    for (const Step& s : steps) EXPECT_FLOAT_EQ(s.top - s.bottom, 8);
}

TEST(Stairs, NegativeThicknessKeepsTheBrush)
{
    RecordingDebug log;
    CQEntity e = EntityWithBox({0, 0, 0}, {64, 128, 64});
    EXPECT_FALSE(MakeStairs(e, 0, Compass::North, 16, -8, "STEP", log));
    ASSERT_EQ(e.brushCount(), 1);
    EXPECT_EQ(e.brushes()[0].maxs(), (Vec3{64, 128, 64}));
}

TEST(Ramp, IsAWedgeFullHeightAtTheElevatedEnd)
{
    struct Case {
        Compass end;
        Vec3 highPoint; // high up at the elevated end
        Vec3 lowPoint;  // as high at the other end
    };
    const Case cases[] = {
        {Compass::North, {32, 120, 52}, {32, 8, 52}},
        {Compass::South, {32, 8, 52}, {32, 120, 52}},
        {Compass::East, {56, 64, 52}, {8, 64, 52}},
        {Compass::West, {8, 64, 52}, {56, 64, 52}},
    };
    for (const Case& c : cases) {
        RecordingDebug log;
        CQEntity e = EntityWithBox({0, 0, 0}, {64, 128, 64});
        ASSERT_TRUE(MakeRamp(e, 0, c.end, "RAMP", log));
        ASSERT_EQ(e.brushCount(), 1);
        const CQBrush& ramp = e.brushes()[0];
        ExpectSolid(ramp);
        EXPECT_EQ(ramp.numfaces(), 7);
        EXPECT_EQ(ramp.CountFaces(), 5);
        EXPECT_EQ(ramp.mins(), (Vec3{0, 0, 0}));
        EXPECT_EQ(ramp.maxs(), (Vec3{64, 128, 64}));
        EXPECT_NEAR(Volume(ramp), 64.0f * 128 * 64 / 2, 1.0f);
        EXPECT_TRUE(Contains(ramp, c.highPoint));
        EXPECT_FALSE(Contains(ramp, c.lowPoint));
        EXPECT_TRUE(ramp.IsSelected());
    }
}
