#include "document/curved_primitives.h"
#include "geometry/clip_points.h"

#include "brush_checks.h"
#include "fakes.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::test;

namespace {

// The targets, unselected, then the cutters, selected, in one entity after the subtraction.
CQEntity subtracted(const std::vector<CQBrush>& targets, const std::vector<CQBrush>& cutters, DebugOutput& log)
{
    CQEntity e;
    for (const CQBrush& b : targets) e.AddBrush(b);
    e.DeselectAllBrushes();
    for (const CQBrush& b : cutters) e.AddBrush(b);
    SubtractSelection(e, log);
    return e;
}

std::vector<CQBrush> unselected(const CQEntity& e)
{
    std::vector<CQBrush> pieces;
    std::ranges::copy_if(e.brushes(), std::back_inserter(pieces), [](const CQBrush& b) { return !b.IsSelected(); });
    return pieces;
}

// Near some face plane of the brushes, where inside and outside are a matter of rounding.
bool nearAFace(const std::vector<CQBrush>& brushes, Vec3 p)
{
    return std::ranges::any_of(brushes, [&](const CQBrush& b) {
        return std::ranges::any_of(b.faces(), [&](auto& f) { return f.winding && std::fabs(f.plane.distanceTo(p)) < 0.05f; });
    });
}

// The pieces are solids, none thinner than 1, and sampled on a grid around the targets (offset from
// whole numbers) a point is in exactly one piece when it is in a target and in no cutter, in none otherwise.
void expectPiecesCoverTargetsMinusCutters(const std::vector<CQBrush>& pieces, const std::vector<CQBrush>& targets,
                                          const std::vector<CQBrush>& cutters)
{
    for (const CQBrush& piece : pieces) {
        ExpectSolid(piece);
        for (int axis = 0; axis < 3; ++axis) EXPECT_GT(piece.maxs()[axis] - piece.mins()[axis], 1.0f);
    }
    const Vec3 lo = targets[0].mins() - Vec3{4, 4, 4}, hi = targets[0].maxs() + Vec3{4, 4, 4};
    for (float x = lo.x + 0.37f; x < hi.x; x += 4) {
        for (float y = lo.y + 0.41f; y < hi.y; y += 4) {
            for (float z = lo.z + 0.43f; z < hi.z; z += 4) {
                const Vec3 p{x, y, z};
                if (nearAFace(cutters, p) || nearAFace(pieces, p)) continue;
                const bool wanted = CountContaining(targets, p) > 0 && CountContaining(cutters, p) == 0;
                ASSERT_EQ(CountContaining(pieces, p), wanted ? 1 : 0) << x << " " << y << " " << z;
            }
        }
    }
}

} // namespace

TEST(Subtraction, PiecesCoverExactlyTheTargetOutsideTheCutterWhichStaysSelectedAfterThem)
{
    FakeHost log;
    CQEntity slanted = EntityWithBox({40, 40, -16}, {88, 88, 80});
    slanted.RotateSelectionZ(30, log);
    slanted.RotateSelectionX(15, log);
    // The target, the cutter and how many pieces are left (0: not counted).
    const std::tuple<CQBrush, CQBrush, size_t> cases[] = {
        {Box({0, 0, 0}, {128, 128, 128}), Box({32, 32, 32}, {96, 96, 96}), 6}, // a piece on each side of the hole
        {Box({0, 0, 0}, {256, 16, 128}), Box({96, 0, 0}, {160, 16, 96}), 3},   // a doorway as thick as the wall
        {Box({0, 0, 0}, {64, 64, 64}), Box({16, 0.05f, 16}, {48, 80, 48}), 4}, // a hair from a side: no sliver
        {Box({0, 0, 0}, {128, 128, 64}), slanted.brushes()[0], 0},
    };
    for (const auto& [target, cutter, count] : cases) {
        SCOPED_TRACE(count);
        const CQEntity e = subtracted({target}, {cutter}, log);
        const std::vector<CQBrush> pieces = unselected(e);
        EXPECT_TRUE(count == 0 || pieces.size() == count) << pieces.size();
        expectPiecesCoverTargetsMinusCutters(pieces, {target}, {cutter});
        EXPECT_TRUE(e.selectedCount() == 1 && e.brushes().back().IsSelected() && e.brushes().back().mins() == cutter.mins());
    }
}

TEST(Subtraction, TwoCuttersCutTheFirstCutsPiecesAndStayInOrder)
{
    FakeHost log;
    const CQBrush target = Box({0, 0, 0}, {256, 64, 64});
    const CQBrush first = Box({32, -16, 16}, {96, 80, 48});
    const CQBrush second = Box({80, 16, -16}, {200, 48, 80});
    const CQEntity e = subtracted({target}, {first, second}, log);
    expectPiecesCoverTargetsMinusCutters(unselected(e), {target}, {first, second}); // no piece twice either
    const auto b = e.brushes();
    EXPECT_TRUE(e.selectedCount() == 2 && b.end()[-2].mins() == first.mins() && b.back().mins() == second.mins());
}

TEST(Subtraction, TargetsBesideTheCutterOrWithTooManyFacesStayWholeAndTargetsInsideItGo)
{
    FakeHost log;
    const CQEntity touching = subtracted({Box({0, 0, 0}, {64, 64, 64})}, {Box({64, 0, 0}, {128, 64, 64})}, log);
    ASSERT_EQ(touching.brushCount(), 2);
    const CQBrush& kept = touching.brushes()[0];
    EXPECT_TRUE(!kept.IsSelected() && kept.numfaces() == 6 && kept.mins() == kOrigin && kept.maxs() == (Vec3{64, 64, 64}));
    const CQEntity inside = subtracted({Box({16, 16, 16}, {48, 48, 48})}, {Box({0, 0, 0}, {64, 64, 64})}, log);
    EXPECT_TRUE(inside.brushCount() == 1 && inside.brushes()[0].IsSelected());
    // A 49-sided spike has 50 faces: no piece of it could take a cutting face.
    CQEntity spike = EntityWithBox({-128, -128, 0}, {128, 128, 64});
    ASSERT_TRUE(MakeSpike(spike, 0, 0, 49, "W", log));
    const CQEntity full = subtracted({spike.brushes()[0]}, {Box({-32, -32, -16}, {32, 32, 80})}, log);
    EXPECT_EQ(log.debugCount("addFace: numfaces == MAX_FACES\n"), 1);
    ASSERT_EQ(full.brushCount(), 2);
    EXPECT_NEAR(Volume(full.brushes()[0]), Volume(spike.brushes()[0]), 1.0f);
}

TEST(Subtraction, PointEntityAndEmptySelectionDoNothing)
{
    FakeHost log;
    for (const bool pointEntity : {true, false}) {
        CQEntity e = EntityWithBox({0, 0, 0}, {64, 64, 64});
        e.AddBrush(Box({16, 16, 16}, {48, 48, 48}));
        e.brushes()[0].SetSelected(false);
        e.setModifiable(!pointEntity);
        e.brushes()[1].SetSelected(pointEntity);
        SubtractSelection(e, log);
        EXPECT_TRUE(e.brushCount() == 2 && e.brushes()[0].numfaces() == 6) << pointEntity;
    }
}
