#include "document/curved_primitives.h"
#include "document/primitives.h"

#include "brush_checks.h"
#include "fakes.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vorn;
using namespace vorn::test;

namespace {

constexpr double kPi = 3.141592654;

float radialDistance(Vec3 p, Vec3 centre, int axis)
{
    Vec3 d = p - centre;
    d[axis] = 0;
    return Length(d);
}

std::vector<Vec3> corners(const CQBrush& b)
{
    std::vector<Vec3> all;
    for (const CQFace& f : b.faces()) {
        if (f.winding) all.insert(all.end(), f.winding->points().begin(), f.winding->points().end());
    }
    return all;
}

} // namespace

// The walls of a room are solids around the old box; the window's test sees exactly where they lie.
TEST(Room, WallsOfABoxOrOfASlantedBrushAreSolids)
{
    FakeHost log;
    const auto room = MakeRoom(Box({0, 0, 0}, {256, 256, 128}), 16, "BRICK", log);
    ASSERT_TRUE(room && !room->inPlace);
    ASSERT_EQ(room->brushes.size(), 6u);
    for (const CQBrush& wall : room->brushes) ExpectSolid(wall);
    EXPECT_TRUE(CountContaining(room->brushes, {8, 128, 64}) == 1 && CountContaining(room->brushes, {128, 128, 64}) == 0);

    CQBrush slanted = Box({0, 0, 0}, {128, 128, 64});
    slanted.RotateZ(30, TextureLock::Off, log);
    slanted.RotateX(20, TextureLock::Off, log);
    const auto slantedRoom = MakeRoom(slanted, 8, "BRICK", log);
    ASSERT_TRUE(slantedRoom);
    ASSERT_EQ(slantedRoom->brushes.size(), 6u);
    for (const CQBrush& wall : slantedRoom->brushes) ExpectSolid(wall);
}

// Settings out of range, a brush that is no solid, and directions a shape does not have are refused.
TEST(MakeInto, ShapesThatCannotBeMadeAreRefusedAndReported)
{
    FakeHost log;
    const CQBrush b = Box({0, 0, 0}, {64, 64, 64});
    EXPECT_FALSE(MakeRoom(b, 0, "BRICK", log));
    EXPECT_FALSE(MakeRoom(CQBrush(), 8, "BRICK", log));
    EXPECT_FALSE(MakeStairs(b, Compass::North, 16, -8, "STEP", log));
    // The base of a 49-sided spike has more corners than a wall can have sides.
    const auto spike = MakeSpike(b, 0, 49, "SPIKE", log);
    ASSERT_TRUE(spike);
    EXPECT_FALSE(MakeRoom(spike->brushes[0], 8, "BRICK", log));
    EXPECT_EQ(log.debugCount("MakeRoom: a face has too many corners for a wall\n"), 1);
    const CQBrush big = Box({0, 0, 0}, {256, 256, 64});
    EXPECT_FALSE(MakeArch(big, 2, 16, 5, "ARCH", log));
    EXPECT_EQ(log.debug.back(), "Invalid Selection for Arch direction!\n");
    EXPECT_FALSE(MakeSpike(big, 6, 8, "SPIKE", log));
    EXPECT_EQ(log.debug.back(), "Error: function not implemented\n");
    EXPECT_FALSE(MakeCylinder(big, 3, 8, "PIPE", log));
    EXPECT_FALSE(MakeTube(big, 0, 8, -1, "PIPE", log));
    EXPECT_FALSE(MakeSpike(CQBrush(), 0, 8, "SPIKE", log)) << "not a solid";
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
    FakeHost log; // a thickness makes slabs under the treads
    const auto slabs = MakeStairs(Box({0, 0, 0}, {64, 128, 64}), Compass::North, 16, 8, "STEP", log);
    ASSERT_TRUE(slabs && slabs->brushes.size() == 4u);
    for (const CQBrush& slab : slabs->brushes) EXPECT_FLOAT_EQ(slab.maxs().z - slab.mins().z, 8);
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

TEST(Arch, HasTwoLegsAndARingOfPiecesInBothDirections)
{
    for (int across : {0, 1}) { // the direction 0 spans the box along x, 1 along y
        for (int pieces : {4, 5, 16}) {
            SCOPED_TRACE(::testing::Message() << across << " " << pieces);
            FakeHost host;
            const auto arch = MakeArch(Box({0, 0, 0}, {256, 256, 64}), across, 16, pieces, "ARCH", host);
            ASSERT_TRUE(arch && !arch->inPlace);
            const std::vector<CQBrush>& brushes = arch->brushes;
            ASSERT_EQ(brushes.size(), static_cast<size_t>(pieces));
            for (const CQBrush& b : brushes) ExpectSolid(b);
            // The legs: from the bottom to the middle height, 16 wide at either end of the span.
            EXPECT_TRUE(brushes[0].mins() == kOrigin && brushes[0].maxs()[across] == 16);
            EXPECT_TRUE(brushes[1].mins()[across] == 240 && brushes[1].maxs() == (Vec3{256, 256, 32}));
            // Ring corners lie above the legs within 8 of radius 120 about the centre line; each piece
            // holds the middle of its own span of the ring and no other piece does.
            const Vec3 c{128, 128, 32};
            for (const CQBrush& piece : std::span(brushes).subspan(2)) {
                for (Vec3 p : corners(piece)) EXPECT_TRUE(std::fabs(radialDistance(p, c, 1 - across) - 120) < 8.05f && p.z > 31.98f);
            }
            const double step = kPi / (pieces - 2);
            for (int k = 0; k < pieces - 2; ++k) {
                Vec3 p = c;
                p[across] -= static_cast<float>(120 * std::cos(step / 2) * std::cos((k + 0.5) * step));
                p.z += static_cast<float>(120 * std::cos(step / 2) * std::sin((k + 0.5) * step));
                EXPECT_EQ(CountContaining(brushes, p), 1) << "piece " << k;
            }
        }
    }
}

TEST(Cylinder, LiesAlongTheChosenAxisWithItsFirstSideOnTheBox)
{
    // Direction, its axis and the axis the first side faces along.
    for (const auto& [direction, axis, first] : {std::tuple{0, 2, 0}, std::tuple{1, 1, 0}, std::tuple{2, 0, 2}}) {
        for (const int sides : {8, 3}) { // eight sides touch the box on all four sides, three stick out
            FakeHost log;
            const auto cylinder = MakeCylinder(Box({-64, -64, -64}, {64, 64, 64}), direction, sides, "PIPE", log);
            ASSERT_TRUE(cylinder && cylinder->inPlace && cylinder->brushes.size() == 1);
            const CQBrush& b = cylinder->brushes[0];
            ExpectSolid(b);
            EXPECT_EQ(b.CountFaces(), sides + 2);
            for (Vec3 p : corners(b)) EXPECT_NEAR(radialDistance(p, kOrigin, axis) * std::cos(kPi / sides), 64, 0.05f) << sides;
            EXPECT_TRUE(b.mins()[axis] == -64 && b.maxs()[axis] == 64);
            EXPECT_NEAR(b.maxs()[first], 64, 0.02f);
            EXPECT_EQ(Near(b.mins(), {-64, -64, -64}) && Near(b.maxs(), {64, 64, 64}), sides == 8) << direction;
        }
    }
}

TEST(Cylinder, TubeIsOpenAndMadeOfOneWallPerSide)
{
    FakeHost log;
    const auto tube = MakeTube(Box({0, 0, 0}, {128, 128, 64}), 0, 8, 8, "PIPE", log);
    ASSERT_TRUE(tube && !tube->inPlace);
    const std::vector<CQBrush>& walls = tube->brushes;
    ASSERT_EQ(walls.size(), 8u);
    for (const CQBrush& wall : walls) ExpectSolid(wall);
    // Open along the axis; solid in the middle of each flat side's wall, 4 in from the box.
    for (float z : {1.0f, 32.0f, 63.0f}) EXPECT_EQ(CountContaining(walls, {64, 64, z}), 0);
    EXPECT_EQ(CountContaining(walls, {124, 64, 1}), 1);
    EXPECT_EQ(CountContaining(walls, {64, 4, 63}), 1);
}

TEST(Spike, PointsInEachOfTheSixDirectionsFromTheCornersOfTheOppositeSide)
{
    const Vec3 hi{64, 96, 128};
    const std::pair<Vec3, float> apexAndBase[] = {{{32, 48, 128}, 0}, {{32, 96, 64}, 0}, {{64, 48, 64}, 0},
                                                  {{32, 48, 0}, 128}, {{32, 0, 64}, 96}, {{0, 48, 64}, 64}};
    for (int direction = 0; direction < 6; ++direction) {
        const auto& [apex, base] = apexAndBase[direction];
        const int axis = 2 - direction % 3; // up and down, north and south, east and west
        FakeHost host;
        const auto spike = MakeSpike(Box({0, 0, 0}, hi), direction, 4, "SPIKE", host);
        ASSERT_TRUE(spike && spike->inPlace);
        const CQBrush& b = spike->brushes[0];
        ExpectSolid(b);
        // The apex, and the four corners of the box's side across the axis.
        const auto at = [](float v, float w) { return std::fabs(v - w) < 0.02f; };
        int apexCorners = 0;
        for (Vec3 p : corners(b)) {
            bool baseCorner = at(p[axis], base);
            for (int k = 0; k < 3; ++k) baseCorner = baseCorner && (k == axis || at(p[k], 0) || at(p[k], hi[k]));
            apexCorners += Near(p, apex, 0.05f) ? 1 : 0;
            EXPECT_TRUE(baseCorner || Near(p, apex, 0.05f)) << direction << ": " << p.x << " " << p.y << " " << p.z;
        }
        EXPECT_EQ(apexCorners, 4) << direction;
    }
}
