#include "fakes.h"
#include "geometry/face.h"
#include "geometry/winding.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vorn;
using vorn::test::FakeHost;

namespace {

Winding square(float z, float half)
{
    return Winding({{-half, -half, z}, {half, -half, z}, {half, half, z}, {-half, half, z}});
}

} // namespace

TEST(Windings, BasePolygonIsTheHugeSquareOnThePlaneInOrder)
{
    FakeHost log;
    const std::array<Vec3, 4> up = BasePolyPoints({{0, 0, 1}, 0}, log);
    EXPECT_EQ(up, (std::array<Vec3, 4>{{{8192, 8192, 0}, {8192, -8192, 0}, {-8192, -8192, 0}, {-8192, 8192, 0}}}));
    for (const Vec3& p : BasePolyPoints({{-1, 0, 0}, 16}, log)) {
        EXPECT_EQ(p.x, -16);
        EXPECT_EQ(std::fabs(p.y) + std::fabs(p.z), 2 * 8192);
    }
    EXPECT_TRUE(log.debug.empty());
}

// A clip keeps what is in front of the plane or behind it by less than a tenth, and puts the
// points it splits off exactly on an axial plane, where interpolation would not be exact.
TEST(Windings, ClipKeepsTheFrontWithinATenthAndSplitsExactlyOnAxialPlanes)
{
    FakeHost log;
    const Winding vertical({{0, 0, -37}, {0, 100, -37}, {0, 100, 100}, {0, 0, 100}});
    for (const float side : {1.0f, -1.0f}) {
        const auto kept = ClipWinding(vertical, {{0, 0, side}, side * 33.3f}, log);
        ASSERT_TRUE(kept);
        EXPECT_TRUE(std::ranges::all_of(kept->points(), [&](const Vec3& p) { return side * p.z >= side * 33.3f; }));
        EXPECT_EQ(std::ranges::count(kept->points(), 33.3f, &Vec3::z), 2) << side;
    }
    for (const float z : {10.0f, -0.05f}) {
        const auto kept = ClipWinding(square(z, 32), {{0, 0, 1}, 0}, log);
        ASSERT_TRUE(kept);
        EXPECT_TRUE(std::ranges::equal(kept->points(), square(z, 32).points()));
    }
    EXPECT_FALSE(ClipWinding(square(-10, 32), {{0, 0, 1}, 0}, log));
    const auto cornerCut = ClipWinding(square(0, 32), {Normalized(Vec3{-1, -1, 0}), -40}, log);
    ASSERT_TRUE(cornerCut);
    EXPECT_EQ(cornerCut->numpoints(), 5) << "a corner cut off becomes two";
    EXPECT_TRUE(log.debug.empty());
}

TEST(Windings, CheckFaceReportsEachFindingAndAlwaysSucceeds)
{
    CQFace face;
    face.plane = {{0, 0, 1}, 0};
    // Each finding once; a two-point polygon has two degenerate edges.
    const std::tuple<Winding, const char*, int> findings[] = {
        {Winding({{0, 0, 0}, {64, 0, 0}, {0, 64, 0.2f}}), "CheckFace: point off plane\n", 1},
        {Winding({{0, 0, 0}, {0.05f, 0, 0}}), "CheckFace: 2 points\n", 1},
        {Winding({{0, 0, 0}, {0.05f, 0, 0}}), "CheckFace: degenerate edge\n", 2},
        {Winding({{0, 0, 0}, {20000, 0, 0}, {0, 64, 0}}), "CheckFace: BUGUS_RANGE: 20000.000000", 1}};
    for (const auto& [winding, finding, times] : findings) {
        FakeHost log;
        face.winding = winding;
        EXPECT_EQ(CheckFace(face, log), 1);
        EXPECT_EQ(log.debugCount(finding), times) << finding;
    }
    FakeHost noWinding;
    face.winding.reset();
    EXPECT_EQ(CheckFace(face, noWinding), 1);
    EXPECT_EQ(noWinding.debug, std::vector<std::string>{"CheckFace: no winding\n"});
}
