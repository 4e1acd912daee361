#include "geometry/face.h"
#include "geometry/winding.h"
#include "recording_debug.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vorn;
using vorn::test::RecordingDebug;

namespace {

Winding square(float z, float half)
{
    return Winding({{-half, -half, z}, {half, -half, z}, {half, half, z}, {-half, half, z}});
}

} // namespace

TEST(Windings, BasePolygonIsTheHugeSquareOnThePlaneInOrder)
{
    RecordingDebug log;
    const std::array<Vec3, 4> up = BasePolyPoints({{0, 0, 1}, 0}, log);
    EXPECT_EQ(up, (std::array<Vec3, 4>{{{8192, 8192, 0}, {8192, -8192, 0}, {-8192, -8192, 0}, {-8192, 8192, 0}}}));
    for (const Vec3& p : BasePolyPoints({{-1, 0, 0}, 16}, log)) {
        EXPECT_EQ(p.x, -16);
        EXPECT_EQ(std::fabs(p.y) + std::fabs(p.z), 2 * 8192);
    }
    EXPECT_TRUE(log.lines.empty());
}

TEST(Windings, AxialClipPutsSplitPointsExactlyOnThePlane)
{
    RecordingDebug log;
    // A square in the plane x = 0 that the cut divides where interpolation would not be exact.
    const Winding vertical({{0, 0, -37}, {0, 100, -37}, {0, 100, 100}, {0, 0, 100}});
    for (const float side : {1.0f, -1.0f}) {
        const auto kept = ClipWinding(vertical, {{0, 0, side}, side * 33.3f}, log);
        ASSERT_TRUE(kept);
        int onPlane = 0;
        for (const Vec3& p : kept->points()) {
            EXPECT_GE(side * p.z, side * 33.3f);
            onPlane += p.z == 33.3f ? 1 : 0;
        }
        EXPECT_EQ(onPlane, 2) << side;
    }
    EXPECT_TRUE(log.lines.empty());
}

TEST(Windings, ClipLeavesPointsWithinATenthOfThePlaneAndDropsWhatIsBehind)
{
    RecordingDebug log;
    for (const float z : {10.0f, -0.05f}) { // in front, or behind by less than a tenth
        const auto kept = ClipWinding(square(z, 32), {{0, 0, 1}, 0}, log);
        ASSERT_TRUE(kept);
        EXPECT_TRUE(std::ranges::equal(kept->points(), square(z, 32).points()));
    }
    EXPECT_FALSE(ClipWinding(square(-10, 32), {{0, 0, 1}, 0}, log));

    // Across a corner: the corner is replaced by two points.
    const auto cornerCut = ClipWinding(square(0, 32), {Normalized(Vec3{-1, -1, 0}), -40}, log);
    ASSERT_TRUE(cornerCut);
    EXPECT_EQ(cornerCut->numpoints(), 5);
}

TEST(Windings, CheckFaceReportsEachFindingAndAlwaysSucceeds)
{
    RecordingDebug log;
    CQFace face;
    face.plane = {{0, 0, 1}, 0};
    face.winding = Winding({{0, 0, 0}, {64, 0, 0}, {0, 64, 0.2f}});
    EXPECT_EQ(CheckFace(face, log), 1);
    EXPECT_EQ(log.count("CheckFace: point off plane\n"), 1);

    RecordingDebug noWinding;
    face.winding.reset();
    EXPECT_EQ(CheckFace(face, noWinding), 1);
    EXPECT_EQ(noWinding.lines, std::vector<std::string>{"CheckFace: no winding\n"});

    RecordingDebug tiny;
    face.winding = Winding({{0, 0, 0}, {0.05f, 0, 0}});
    CheckFace(face, tiny);
    EXPECT_EQ(tiny.count("CheckFace: 2 points\n"), 1);
    EXPECT_GE(tiny.count("CheckFace: degenerate edge\n"), 1);

    RecordingDebug far;
    face.winding = Winding({{0, 0, 0}, {20000, 0, 0}, {0, 64, 0}});
    CheckFace(face, far);
    EXPECT_EQ(far.count("CheckFace: BUGUS_RANGE: 20000.000000"), 1);
}
