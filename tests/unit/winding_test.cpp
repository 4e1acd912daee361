#include "geometry/face.h"
#include "geometry/winding.h"
#include "recording_debug.h"

#include <gtest/gtest.h>

using namespace vorn;
using vorn::test::RecordingDebug;

namespace {

Winding square(float z, float half)
{
    return Winding({{-half, -half, z}, {half, -half, z}, {half, half, z}, {-half, half, z}});
}

Winding verticalSquare()
{
    // Square in the plane x = 0, spanning y and z from 0 to 100 (lengths not multiples of the cut).
    return Winding({{0, 0, 0}, {0, 100, 0}, {0, 100, 100}, {0, 0, 100}});
}

} // namespace

TEST(Vectors, CrossProductAndRounding)
{
    EXPECT_EQ(Cross({1, 0, 0}, {0, 1, 0}), (Vec3{0, 0, 1}));
    EXPECT_EQ(Cross({0, 1, 0}, {1, 0, 0}), (Vec3{0, 0, -1}));
    EXPECT_EQ(RoundToInt(2.5f), 3.0f);
    EXPECT_EQ(RoundToInt(-2.5f), -3.0f);
    EXPECT_EQ(RoundToInt(-2.4f), -2.0f);
    EXPECT_EQ(RoundToInt(0.0f), 0.0f);
}

TEST(Vectors, RotationsTurnTheDocumentedWay)
{
    Vec3 x{1, 0, 0};
    RotateAboutZ(x, 90);
    EXPECT_NEAR(x.x, 0, 1e-6);
    EXPECT_NEAR(x.y, 1, 1e-6);
    Vec3 y{0, 1, 0};
    RotateAboutX(y, 90);
    EXPECT_NEAR(y.z, 1, 1e-6);
    Vec3 z{0, 0, 1};
    RotateAboutY(z, 90);
    EXPECT_NEAR(z.x, 1, 1e-6);
    Vec3 s{1, 2, 3};
    ScaleAxes(s, 2, 3, 4);
    EXPECT_EQ(s, (Vec3{2, 6, 12}));
}

TEST(Planes, NormalFollowsPointOrderAndCollinearGivesNone)
{
    const auto up = PlaneFromPoints({0, 0, 0}, {0, 64, 0}, {64, 64, 0});
    ASSERT_TRUE(up);
    EXPECT_EQ(up->normal, (Vec3{0, 0, 1}));
    EXPECT_EQ(up->dist, 0);
    EXPECT_FALSE(PlaneFromPoints({0, 0, 0}, {1, 1, 1}, {2, 2, 2}));
}

TEST(Windings, BaseWindingForUpwardPlaneIsTheHugeSquareInOrder)
{
    RecordingDebug log;
    CQFace face;
    face.plane = {{0, 0, 1}, 0};
    const Winding w = BasePolyForPlane(face, log);
    ASSERT_EQ(w.numpoints(), 4);
    EXPECT_EQ(w[0], (Vec3{8192, 8192, 0}));
    EXPECT_EQ(w[1], (Vec3{8192, -8192, 0}));
    EXPECT_EQ(w[2], (Vec3{-8192, -8192, 0}));
    EXPECT_EQ(w[3], (Vec3{-8192, 8192, 0}));
}

TEST(Windings, BaseWindingReplacesZeroScalesOnly)
{
    RecordingDebug log;
    CQFace face;
    face.plane = {{1, 0, 0}, 16};
    face.scale = {0, -0.5f};
    BasePolyForPlane(face, log);
    EXPECT_EQ(face.scale[0], 1.0f);
    EXPECT_EQ(face.scale[1], -0.5f);
    face.scale = {-0.0f, 2};
    BasePolyForPlane(face, log);
    EXPECT_EQ(face.scale[0], 1.0f);
}

TEST(Windings, AxialClipPutsSplitPointsExactlyOnThePlane)
{
    RecordingDebug log;
    const auto kept = ClipWinding(verticalSquare(), {{0, 0, 1}, 64.3f}, log);
    ASSERT_TRUE(kept);
    int onPlane = 0;
    for (const Vec3& p : kept->points()) {
        EXPECT_GE(p.z, 64.3f);
        if (p.z == 64.3f) ++onPlane;
    }
    EXPECT_EQ(onPlane, 2);
    const auto below = ClipWinding(verticalSquare(), {{0, 0, -1}, -64.3f}, log);
    ASSERT_TRUE(below);
    for (const Vec3& p : below->points()) EXPECT_LE(p.z, 64.3f);
    EXPECT_TRUE(log.lines.empty());
}

TEST(Windings, ClipKeepsStorageWhenNothingIsCut)
{
    RecordingDebug log;
    Winding front = square(10, 32);
    const Vec3* storage = front.points().data();
    const auto kept = ClipWinding(std::move(front), {{0, 0, 1}, 0}, log);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->points().data(), storage);

    Winding onPlane = square(0.05f, 32);
    storage = onPlane.points().data();
    const auto same = ClipWinding(std::move(onPlane), {{0, 0, 1}, 0}, log);
    ASSERT_TRUE(same);
    EXPECT_EQ(same->points().data(), storage);

    EXPECT_FALSE(ClipWinding(square(-10, 32), {{0, 0, 1}, 0}, log));
}

TEST(Windings, CutAcrossCornerGainsOnePoint)
{
    RecordingDebug log;
    const Plane diagonal{Normalized({-1, -1, 0}), -40};
    const auto kept = ClipWinding(square(0, 32), diagonal, log);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->numpoints(), 5);
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

TEST(Windings, AskingForMoreThanTheLimitIsReported)
{
    RecordingDebug log;
    const Winding w = NewWinding(65, log);
    EXPECT_EQ(w.numpoints(), 0);
    EXPECT_GE(w.capacity(), 65);
    EXPECT_EQ(log.lines, std::vector<std::string>{"NewWinding: 65 points"});
}
