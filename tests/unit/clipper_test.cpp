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

TEST(ClipPoints, ASecondClickTogglesTheHeightAFourthStartsANewSetTwoOrThreeMakeTheFaceAndFlipSwapsItsEnds)
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

    // A flip swaps the ends of the plane and needs two points.
    ClipPoints one = points({{0, 0, 0}});
    EXPECT_FALSE(one.FlipClipPlane());
    ClipPoints two = points({{0, 0, 0}, {64, 0, 0}});
    EXPECT_TRUE(two.FlipClipPlane());
    EXPECT_TRUE(two.point(0) == (Vec3{64, 0, 0}) && two.point(1) == kOrigin);
    ClipPoints three = points({{0, 0, 0}, {64, 0, 0}, {0, 64, 0}});
    three.FlipClipPlane();
    EXPECT_TRUE(three.point(0) == (Vec3{0, 64, 0}) && three.point(1) == (Vec3{64, 0, 0}) && three.point(2) == kOrigin);
}

TEST(Clip, KeepsTheSideBehindThePlaneOfTwoOrThreePoints)
{
    FakeHost log;
    ClipPoints p = points({{0, 0, 0}, {64, 0, 0}});
    for (const float keptY : {-32.0f, 32.0f}) { // then flipped, the other side
        CQBrush b = Box({-32, -32, 0}, {32, 32, 64});
        ASSERT_TRUE(ClipBrush(b, *p.MakeClipFace("CUT"), log));
        ExpectSolid(b);
        EXPECT_TRUE(b.mins() == (Vec3{-32, std::min(keptY, 0.0f), 0}) && b.maxs() == (Vec3{32, std::max(keptY, 0.0f), 64}));
        p.FlipClipPlane(); // the clip points stay for the next cut
    }
    ClipPoints slope = points({{-32, -32, 0}, {-32, 32, 0}, {32, 32, 0}, {32, 32, 0}}); // the last lifted to the top
    CQBrush b = Box({-32, -32, 0}, {32, 32, 64});
    ClipBrush(b, *slope.MakeClipFace("CUT"), log);
    ExpectSolid(b);
    EXPECT_NEAR(Volume(b), 64.0f * 64 * 64 / 2, 1.0f);
    EXPECT_NE(Contains(b, {24, 0, 8}), Contains(b, {24, 0, 56}));

    // A brush wholly in front of the plane is left without volume; a full brush is not cut.
    CQBrush front = Box({0, 16, 0}, {64, 64, 64});
    EXPECT_TRUE(ClipBrush(front, *p.MakeClipFace("CUT"), log));
    EXPECT_FALSE(front.IsValid());
    CQBrush full = Box({-32, -32, 0}, {32, 32, 64});
    const CQFace top = full.face(0);
    while (full.numfaces() < kMaxFaces) full.AddFace(top, log);
    EXPECT_FALSE(ClipBrush(full, *p.MakeClipFace("CUT"), log));
    EXPECT_EQ(log.debugCount("CQBrush::AddFace(): Tried to add a face to a full brush!\n"), 1);
    EXPECT_EQ(full.maxs().y, 32);
}
