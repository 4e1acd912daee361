#include "geometry/clip_points.h"

#include "brush_checks.h"
#include "fakes.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::test;

namespace {

ClipPoints points(std::initializer_list<Vec3> clicks)
{
    ClipPoints p;
    for (const Vec3& c : clicks) p.AddClipPoint(c.x, c.y, 0, 64);
    return p;
}

} // namespace

TEST(ClipPoints, ASecondClickTogglesTheHeightAFourthStartsANewSetAndTwoOrThreeMakeTheFace)
{
    ClipPoints p = points({{0, 0, 0}, {64, 0, 0}, {64, 0, 0}});
    EXPECT_TRUE(p.count() == 2 && p.point(1).z == 64);
    p.AddClipPoint(64, 0, 0, 64);
    EXPECT_EQ(p.point(1).z, 0);
    p.AddClipPoint(64, 0, 16, 80); // a height that is neither work height goes to the low one
    EXPECT_EQ(p.point(1).z, 16);
    const ClipPoints four = points({{0, 0, 0}, {64, 32, 0}, {128, 64, 0}, {-32, -16, 0}});
    EXPECT_TRUE(four.count() == 1 && four.point(0) == (Vec3{-32, -16, 0}));
    EXPECT_FALSE(points({{0, 0, 0}}).MakeClipFace("CUT"));
    const auto face = points({{0, 0, 0}, {64, 0, 0}}).MakeClipFace("CUT");
    ASSERT_TRUE(face);
    EXPECT_TRUE(face->planepts[2] == (DVec3{0, 0, 16}) && face->texture == "CUT"); // two points: an upright plane
    EXPECT_FALSE(points({{0, 0, 0}, {64, 0, 0}, {128, 0, 0}}).MakeClipFace("CUT")); // three in a line
}

TEST(ClipPoints, FlipSwapsTheEndsOfThePlaneAndASinglePointOnlyBeeps)
{
    FakeHost host;
    ClipPoints one = points({{0, 0, 0}});
    one.FlipClipPlane(host);
    ClipPoints two = points({{0, 0, 0}, {64, 0, 0}});
    two.FlipClipPlane(host);
    EXPECT_TRUE(two.point(0) == (Vec3{64, 0, 0}) && two.point(1) == kOrigin);
    ClipPoints three = points({{0, 0, 0}, {64, 0, 0}, {0, 64, 0}});
    three.FlipClipPlane(host);
    EXPECT_TRUE(three.point(0) == (Vec3{0, 64, 0}) && three.point(1) == (Vec3{64, 0, 0}) && three.point(2) == kOrigin);
    EXPECT_TRUE(host.beeps == (std::vector<std::pair<int, int>>{{100, 100}}) && host.debugCount("no clipplane\n") == 1);
}

TEST(Clip, KeepsTheSideBehindThePlaneOfTwoOrThreePoints)
{
    FakeHost log;
    ClipPoints p = points({{0, 0, 0}, {64, 0, 0}});
    for (const float keptY : {-32.0f, 32.0f}) { // then flipped, the other side
        CQEntity e = EntityWithBox({-32, -32, 0}, {32, 32, 64});
        ApplyClip(p, e, "CUT", log);
        ExpectSolid(e.brushes()[0]);
        EXPECT_TRUE(e.brushes()[0].mins() == (Vec3{-32, std::min(keptY, 0.0f), 0}) &&
                    e.brushes()[0].maxs() == (Vec3{32, std::max(keptY, 0.0f), 64}));
        p.FlipClipPlane(log); // the clip points stay for the next cut
    }
    ClipPoints slope = points({{-32, -32, 0}, {-32, 32, 0}, {32, 32, 0}, {32, 32, 0}}); // the last lifted to the top
    CQEntity e = EntityWithBox({-32, -32, 0}, {32, 32, 64});
    ApplyClip(slope, e, "CUT", log);
    ExpectSolid(e.brushes()[0]);
    EXPECT_NEAR(Volume(e.brushes()[0]), 64.0f * 64 * 64 / 2, 1.0f);
    EXPECT_NE(Contains(e.brushes()[0], {24, 0, 8}), Contains(e.brushes()[0], {24, 0, 56}));
}

TEST(Clip, CutsOnlySelectedBrushesThatHaveRoomAndNeedsTwoPoints)
{
    FakeHost log;
    CQEntity e = EntityWithBox({-32, -32, 0}, {32, 32, 64});
    e.AddBrush(Box({-32, -32, 64}, {32, 32, 128}));
    e.brushes()[1].SetSelected(false);
    ClipPoints one = points({{0, 0, 0}});
    ApplyClip(one, e, "CUT", log);
    EXPECT_EQ(e.brushes()[0].numfaces(), 6);
    ClipPoints p = points({{0, 0, 0}, {64, 0, 0}});
    ApplyClip(p, e, "CUT", log);
    EXPECT_TRUE(e.brushes()[0].maxs().y == 0 && e.brushes()[1].maxs().y == 32);
    // A brush wholly in front of the plane is left invalid in its place; a full brush is not cut.
    CQEntity front = EntityWithBox({0, 16, 0}, {64, 64, 64});
    ApplyClip(p, front, "CUT", log);
    EXPECT_TRUE(front.brushCount() == 1 && !front.brushes()[0].IsValid());
    CQEntity full = EntityWithBox({-32, -32, 0}, {32, 32, 64});
    const CQFace top = full.brushes()[0].face(0);
    while (full.brushes()[0].numfaces() < kMaxFaces) full.brushes()[0].AddFace(top, log);
    ApplyClip(p, full, "CUT", log);
    EXPECT_EQ(log.debugCount("CQBrush::AddFace(): Tried to add a face to a full brush!\n"), 1);
    EXPECT_EQ(full.brushes()[0].maxs().y, 32);
}
