#include "geometry/clip_points.h"

#include "brush_checks.h"
#include "fakes.h"
#include "recording_debug.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::test;

namespace {

ClipPoints twoPoints(Vec3 a, Vec3 b)
{
    ClipPoints points;
    points.AddClipPoint(a.x, a.y, 0, 64);
    points.AddClipPoint(b.x, b.y, 0, 64);
    return points;
}

} // namespace

TEST(ClipPoints, ASecondClickOnAPointTogglesItsHeight)
{
    ClipPoints points;
    points.AddClipPoint(0, 0, 8, 72);
    points.AddClipPoint(64, 0, 8, 72);
    EXPECT_EQ(points.count(), 2);
    EXPECT_EQ(points.point(1), (Vec3{64, 0, 8}));

    points.AddClipPoint(64, 0, 8, 72);
    EXPECT_EQ(points.count(), 2);
    EXPECT_EQ(points.point(1).z, 72);
    points.AddClipPoint(64, 0, 8, 72);
    EXPECT_EQ(points.point(1).z, 8);
    // A height that is neither work height goes to the low one.
    points.AddClipPoint(64, 0, 16, 80);
    EXPECT_EQ(points.point(1).z, 16);
}

TEST(ClipPoints, AFourthNewPointStartsANewSet)
{
    ClipPoints points;
    for (float x : {0.0f, 64.0f, 128.0f, -32.0f}) points.AddClipPoint(x, x / 2, 0, 64);
    EXPECT_EQ(points.count(), 1);
    EXPECT_EQ(points.point(0), (Vec3{-32, -16, 0}));
}

TEST(ClipPoints, FlipWithoutAPlaneBeepsAndReports)
{
    FakeHost host;
    ClipPoints points;
    points.AddClipPoint(0, 0, 0, 64);
    points.FlipClipPlane(host);
    EXPECT_EQ(host.beeps, (std::vector<std::pair<int, int>>{{100, 100}}));
    EXPECT_EQ(host.debugCount("no clipplane\n"), 1);
    EXPECT_EQ(points.point(0), (Vec3{0, 0, 0}));
}

TEST(ClipPoints, FlipSwapsTheEndsOfThePlane)
{
    FakeHost host;
    ClipPoints two = twoPoints({0, 0, 0}, {64, 0, 0});
    two.FlipClipPlane(host);
    EXPECT_EQ(two.point(0), (Vec3{64, 0, 0}));
    EXPECT_EQ(two.point(1), (Vec3{0, 0, 0}));

    ClipPoints three = twoPoints({0, 0, 0}, {64, 0, 0});
    three.AddClipPoint(0, 64, 0, 64);
    three.FlipClipPlane(host);
    EXPECT_EQ(three.point(0), (Vec3{0, 64, 0}));
    EXPECT_EQ(three.point(1), (Vec3{64, 0, 0}));
    EXPECT_EQ(three.point(2), (Vec3{0, 0, 0}));
    EXPECT_TRUE(host.beeps.empty());
}

TEST(ClipPoints, ClipFaceNeedsTwoPointsThatMakeAPlane)
{
    ClipPoints points;
    EXPECT_FALSE(points.MakeClipFace("CUT"));
    points.AddClipPoint(0, 0, 0, 64);
    EXPECT_FALSE(points.MakeClipFace("CUT"));
    points.AddClipPoint(64, 0, 0, 64);
    const auto face = points.MakeClipFace("CUT");
    ASSERT_TRUE(face);
    EXPECT_EQ(face->planepts[2], (Vec3{0, 0, 16}));
    EXPECT_EQ(face->texture, "CUT");
    EXPECT_EQ(face->scale[0], 0);

    // Three points on one line give no plane.
    points.AddClipPoint(128, 0, 0, 64);
    EXPECT_FALSE(points.MakeClipFace("CUT"));
}

TEST(Clip, TwoPointsKeepTheSideBehindThePlaneAndFlipKeepsTheOther)
{
    RecordingDebug log;
    FakeHost host;
    ClipPoints points = twoPoints({0, 0, 0}, {64, 0, 0});

    CQEntity e = EntityWithBox({-32, -32, 0}, {32, 32, 64});
    ApplyClip(points, e, "CUT", log);
    ExpectSolid(e.brushes()[0]);
    EXPECT_EQ(e.brushes()[0].mins(), (Vec3{-32, -32, 0}));
    EXPECT_EQ(e.brushes()[0].maxs(), (Vec3{32, 0, 64}));

    CQEntity flipped = EntityWithBox({-32, -32, 0}, {32, 32, 64});
    points.FlipClipPlane(host);
    ApplyClip(points, flipped, "CUT", log);
    ExpectSolid(flipped.brushes()[0]);
    EXPECT_EQ(flipped.brushes()[0].mins(), (Vec3{-32, 0, 0}));
    EXPECT_EQ(flipped.brushes()[0].maxs(), (Vec3{32, 32, 64}));
    // The clip points stay for the next cut.
    EXPECT_EQ(points.count(), 2);
}

TEST(Clip, ThreePointsCutASlope)
{
    RecordingDebug log;
    ClipPoints points;
    points.AddClipPoint(-32, -32, 0, 64);
    points.AddClipPoint(-32, 32, 0, 64);
    points.AddClipPoint(32, 32, 0, 64);
    points.AddClipPoint(32, 32, 0, 64); // lifted to the top of the work range

    CQEntity e = EntityWithBox({-32, -32, 0}, {32, 32, 64});
    ApplyClip(points, e, "CUT", log);
    const CQBrush& b = e.brushes()[0];
    ExpectSolid(b);
    EXPECT_NEAR(Volume(b), 64.0f * 64 * 64 / 2, 1.0f);
    EXPECT_EQ(Contains(b, {24, 0, 8}), !Contains(b, {24, 0, 56}));
}

TEST(Clip, CutsOnlySelectedBrushesAndNeedsTwoPoints)
{
    RecordingDebug log;
    ClipPoints one;
    one.AddClipPoint(0, 0, 0, 64);
    ClipPoints points = twoPoints({0, 0, 0}, {64, 0, 0});
    CQEntity e = EntityWithBox({-32, -32, 0}, {32, 32, 64});
    e.AddBrush(Box({-32, -32, 64}, {32, 32, 128}));
    e.brushes()[1].SetSelected(false);
    ApplyClip(one, e, "CUT", log);
    EXPECT_EQ(e.brushes()[0].numfaces(), 6);
    ApplyClip(points, e, "CUT", log);
    EXPECT_EQ(e.brushes()[0].maxs().y, 0);
    EXPECT_EQ(e.brushes()[1].maxs().y, 32);
}

TEST(Clip, BrushWhollyInFrontBecomesInvalidAndStays)
{
    RecordingDebug log;
    ClipPoints points = twoPoints({0, 0, 0}, {64, 0, 0});
    CQEntity e = EntityWithBox({0, 16, 0}, {64, 64, 64});
    ApplyClip(points, e, "CUT", log);
    ASSERT_EQ(e.brushCount(), 1);
    EXPECT_FALSE(e.brushes()[0].IsValid());
}

TEST(Clip, FullBrushIsNotCut)
{
    RecordingDebug log;
    CQEntity e = EntityWithBox({-32, -32, 0}, {32, 32, 64});
    CQBrush& b = e.brushes()[0];
    const CQFace top = b.face(0);
    while (b.numfaces() < kMaxFaces) b.AddFace(top, log);
    b.BuildWindings(log);
    ClipPoints points = twoPoints({0, 0, 0}, {64, 0, 0});
    ApplyClip(points, e, "CUT", log);
    EXPECT_EQ(log.count("CQBrush::AddFace(): Tried to add a face to a full brush!\n"), 1);
    EXPECT_EQ(e.brushes()[0].maxs().y, 32);
}
