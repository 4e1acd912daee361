#include "document/curved_primitives.h"

#include "brush_checks.h"
#include "fakes.h"

#include <gtest/gtest.h>

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

TEST(CurvedShapes, OtherDirectionsAreRefusedAndReported)
{
    FakeHost host;
    const CQBrush b = Box({0, 0, 0}, {256, 256, 64});
    EXPECT_FALSE(MakeArch(b, 2, 16, 5, "ARCH", host));
    EXPECT_EQ(host.debug.back(), "Invalid Selection for Arch direction!\n");
    EXPECT_FALSE(MakeSpike(b, 6, 8, "SPIKE", host));
    EXPECT_EQ(host.debug.back(), "Error: function not implemented\n");
    EXPECT_FALSE(MakeCylinder(b, 3, 8, "PIPE", host));
    EXPECT_FALSE(MakeTube(b, 0, 8, -1, "PIPE", host));
    EXPECT_FALSE(MakeSpike(CQBrush(), 0, 8, "SPIKE", host)) << "not a solid";
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
