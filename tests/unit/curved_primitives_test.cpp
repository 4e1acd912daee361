#include "document/curved_primitives.h"

#include "brush_checks.h"
#include "fakes.h"
#include "recording_debug.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vorn;
using namespace vorn::test;

namespace {

constexpr double kPi = 3.141592654;
constexpr double kDegree = kPi / 180;

// Distance from the line through `centre` along `axis`.
float radialDistance(Vec3 p, Vec3 centre, int axis)
{
    Vec3 d = p - centre;
    d[axis] = 0;
    return Length(d);
}

const CQFace* faceFacing(const CQBrush& b, Vec3 normal)
{
    for (const CQFace& f : b.faces()) {
        if (f.winding && Near(f.plane.normal, normal, 1e-4f)) return &f;
    }
    return nullptr;
}

} // namespace

TEST(Arch, HasTwoLegsAndARingOfPiecesInBothDirections)
{
    for (int direction : {0, 1}) {
        for (int pieces : {4, 5, 16}) {
            FakeHost host;
            CQEntity e = EntityWithBox({0, 0, 0}, {256, 256, 64});
            ASSERT_TRUE(MakeArch(e, 0, direction, 16, pieces, "ARCH", host));
            ASSERT_EQ(e.brushCount(), pieces) << direction << " " << pieces;
            EXPECT_EQ(e.selectedCount(), pieces);

            const int across = direction == 1 ? 1 : 0;
            const Vec3 c{128, 128, 32};
            // The legs span from the bottom to the middle height at either end of the span.
            const CQBrush& leg1 = e.brushes()[0];
            const CQBrush& leg2 = e.brushes()[1];
            EXPECT_EQ(leg1.mins(), (Vec3{0, 0, 0}));
            EXPECT_EQ(leg1.maxs()[across], 16);
            EXPECT_EQ(leg1.maxs().z, 32);
            EXPECT_EQ(leg2.mins()[across], 240);
            EXPECT_EQ(leg2.maxs(), (Vec3{256, 256, 32}));
            ExpectSolid(leg1);
            ExpectSolid(leg2);

            // Every ring corner lies between the inner and outer radius about the centre line.
            float top = 0;
            for (int i = 2; i < e.brushCount(); ++i) {
                const CQBrush& piece = e.brushes()[static_cast<size_t>(i)];
                ExpectSolid(piece);
                for (Vec3 p : Corners(piece)) {
                    const float d = radialDistance(p, c, 1 - across);
                    EXPECT_GE(d, 128 - 16 - 0.05f);
                    EXPECT_LE(d, 128 + 0.05f);
                    EXPECT_GE(p.z, 32 - 0.02f);
                    top = std::max(top, p.z);
                }
            }
            // The outer top is the highest ring corner: the full radius when a corner lies at 90 degrees.
            double highest = 0;
            for (int k = 0; k <= pieces - 2; ++k) highest = std::max(highest, std::sin(k * kPi / (pieces - 2)));
            EXPECT_NEAR(top, 32 + 128 * highest, 0.05f);
            if ((pieces - 2) % 2 == 0) {
                EXPECT_NEAR(top, 32 + 128, 0.05f);
            }
            // Each piece holds the middle of its own span of the ring, between its flat inner
            // and outer faces, and no other piece does.
            const double step = 180.0 / (pieces - 2) * kDegree;
            const auto middle = static_cast<float>(120 * std::cos(step / 2));
            for (int k = 0; k < pieces - 2; ++k) {
                const double mid = (k + 0.5) * step;
                Vec3 p = c;
                p[across] = c[across] - middle * static_cast<float>(std::cos(mid));
                p.z = c.z + middle * static_cast<float>(std::sin(mid));
                EXPECT_EQ(CountContaining(e.brushes(), p), 1) << "piece " << k;
            }
        }
    }
}

TEST(Arch, OtherDirectionIsRefusedWithAMessage)
{
    FakeHost host;
    CQEntity e = EntityWithBox({0, 0, 0}, {256, 256, 64});
    EXPECT_FALSE(MakeArch(e, 0, 2, 16, 5, "ARCH", host));
    ASSERT_EQ(host.messages, std::vector<std::string>{"Invalid Selection for Arch direction!"});
    ASSERT_EQ(e.brushCount(), 1);
    EXPECT_EQ(e.brushes()[0].maxs(), (Vec3{256, 256, 64}));
}

TEST(Cylinder, EightSidesTouchTheBoxInTheMiddleOfEachSide)
{
    RecordingDebug log;
    CQEntity e = EntityWithBox({0, 0, 0}, {128, 128, 64});
    ASSERT_TRUE(MakeCylinder(e, 0, 0, 8, "PIPE", log));
    ASSERT_EQ(e.brushCount(), 1);
    const CQBrush& b = e.brushes()[0];
    ExpectSolid(b);
    EXPECT_TRUE(b.IsSelected());
    EXPECT_EQ(b.numfaces(), 10);
    EXPECT_EQ(b.CountFaces(), 10);
    const float radius = 64 / static_cast<float>(std::cos(22.5 * kDegree));
    for (Vec3 p : Corners(b)) EXPECT_NEAR(radialDistance(p, {64, 64, 32}, 2), radius, 0.05f);
    // Flat sides on the box's four vertical sides.
    for (Vec3 n : {Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{-1, 0, 0}, Vec3{0, -1, 0}}) {
        const CQFace* f = faceFacing(b, n);
        ASSERT_NE(f, nullptr);
        EXPECT_NEAR(f->plane.dist, Dot(n, {128, 128, 0}) > 0 ? 128 : 0, 0.02f);
    }
    EXPECT_NEAR(b.mins().z, 0, 0.001f);
    EXPECT_NEAR(b.maxs().z, 64, 0.001f);
}

TEST(Cylinder, ThreeSidesStickOutOfTheBox)
{
    RecordingDebug log;
    CQEntity e = EntityWithBox({-64, -64, 0}, {64, 64, 64});
    ASSERT_TRUE(MakeCylinder(e, 0, 0, 3, "PIPE", log));
    const CQBrush& b = e.brushes()[0];
    ExpectSolid(b);
    EXPECT_EQ(b.numfaces(), 5);
    for (Vec3 p : Corners(b)) EXPECT_NEAR(radialDistance(p, {0, 0, 0}, 2), 128, 0.05f);
}

TEST(Cylinder, LiesAlongTheChosenAxis)
{
    const Vec3 hi{64, 96, 128};
    struct Case {
        int direction;
        int axis;
    };
    for (const Case c : {Case{0, 2}, Case{1, 1}, Case{2, 0}}) {
        RecordingDebug log;
        CQEntity e = EntityWithBox({0, 0, 0}, hi);
        ASSERT_TRUE(MakeCylinder(e, 0, c.direction, 6, "PIPE", log));
        const CQBrush& b = e.brushes()[0];
        ExpectSolid(b);
        EXPECT_EQ(b.numfaces(), 8);
        EXPECT_NEAR(b.mins()[c.axis], 0, 0.001f);
        EXPECT_NEAR(b.maxs()[c.axis], hi[c.axis], 0.001f);
        // The axis line runs through the middle of the solid from end to end.
        const float length = hi[c.axis];
        for (float along : {1.0f, length / 2, length - 1}) {
            Vec3 p{32, 48, 64};
            p[c.axis] = along;
            EXPECT_TRUE(Contains(b, p)) << c.direction << " " << along;
        }
    }
}

TEST(Cylinder, TubeIsOpenAndMadeOfOneWallPerSide)
{
    RecordingDebug log;
    CQEntity e = EntityWithBox({0, 0, 0}, {128, 128, 64});
    ASSERT_TRUE(MakeTube(e, 0, 0, 8, 8, "PIPE", log));
    ASSERT_EQ(e.brushCount(), 8);
    EXPECT_EQ(e.selectedCount(), 8);
    for (const CQBrush& wall : e.brushes()) {
        ExpectSolid(wall);
        EXPECT_EQ(wall.numfaces(), 6);
        EXPECT_NEAR(wall.mins().z, 0, 0.001f);
        EXPECT_NEAR(wall.maxs().z, 64, 0.001f);
    }
    // Open along the axis; solid in the middle of each flat side's wall, 4 in from the box.
    for (float z : {1.0f, 32.0f, 63.0f}) EXPECT_EQ(CountContaining(e.brushes(), {64, 64, z}), 0);
    EXPECT_EQ(CountContaining(e.brushes(), {124, 64, 32}), 1);
    EXPECT_EQ(CountContaining(e.brushes(), {64, 4, 32}), 1);
    EXPECT_EQ(CountContaining(e.brushes(), {64, 110, 32}), 0);
}

TEST(Spike, FourSidedUpSpikeHasItsBaseOnTheFloorAndItsApexOnTop)
{
    FakeHost host;
    CQEntity e = EntityWithBox({-64, -64, -64}, {64, 64, 64});
    ASSERT_TRUE(MakeSpike(e, 0, 0, 4, "SPIKE", host));
    ASSERT_EQ(e.brushCount(), 1);
    const CQBrush& b = e.brushes()[0];
    ExpectSolid(b);
    EXPECT_TRUE(b.IsSelected());
    EXPECT_EQ(b.numfaces(), 5);
    for (Vec3 corner : {Vec3{64, 64, -64}, Vec3{-64, 64, -64}, Vec3{-64, -64, -64}, Vec3{64, -64, -64},
                        Vec3{0, 0, 64}}) {
        EXPECT_TRUE(HasCorner(b, corner, 0.05f)) << corner.x << " " << corner.y << " " << corner.z;
    }
    EXPECT_NEAR(Volume(b), 128.0f * 128 * 128 / 3, 10.0f);
}

TEST(Spike, PointsInEachOfTheSixDirections)
{
    const Vec3 lo{0, 0, 0};
    const Vec3 hi{64, 96, 128};
    const Vec3 c{32, 48, 64};
    // Direction index: the apex, and the axis and side of the base.
    struct Case {
        int direction;
        Vec3 apex;
        int axis;
        bool baseHigh;
    };
    const Case cases[] = {
        {0, {32, 48, 128}, 2, false}, {1, {32, 96, 64}, 1, false}, {2, {64, 48, 64}, 0, false},
        {3, {32, 48, 0}, 2, true},    {4, {32, 0, 64}, 1, true},   {5, {0, 48, 64}, 0, true},
    };
    for (const Case& k : cases) {
        FakeHost host;
        CQEntity e = EntityWithBox(lo, hi);
        ASSERT_TRUE(MakeSpike(e, 0, k.direction, 7, "SPIKE", host));
        const CQBrush& b = e.brushes()[0];
        ExpectSolid(b);
        EXPECT_EQ(b.numfaces(), 8) << k.direction;
        EXPECT_EQ(b.CountFaces(), 8) << k.direction;
        EXPECT_TRUE(HasCorner(b, k.apex, 0.05f)) << k.direction;
        // Apart from the apex, every corner lies in the base plane.
        const float base = k.baseHigh ? hi[k.axis] : lo[k.axis];
        for (Vec3 p : Corners(b)) {
            if (!Near(p, k.apex, 0.05f)) {
                EXPECT_NEAR(p[k.axis], base, 0.02f) << k.direction;
            }
        }
        EXPECT_TRUE(Contains(b, c));
    }
}

TEST(Spike, DirectionAboveFiveIsRefusedWithAMessage)
{
    FakeHost host;
    CQEntity e = EntityWithBox({0, 0, 0}, {64, 64, 64});
    EXPECT_FALSE(MakeSpike(e, 0, 6, 8, "SPIKE", host));
    ASSERT_EQ(host.messages, std::vector<std::string>{"Error: function not implemented"});
    EXPECT_EQ(e.brushes()[0].numfaces(), 6);
}
