#include "document/curved_primitives.h"
#include "document/selection_edits.h"
#include "geometry/subtraction.h"

#include "brush_checks.h"
#include "editor_fixture.h"
#include "fakes.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::test;

namespace {

// What is left of the targets, in order, once every cutter has cut them.
std::vector<CQBrush> subtracted(const std::vector<CQBrush>& targets, const std::vector<CQBrush>& cutters, DebugOutput& log)
{
    std::vector<const CQBrush*> cutting;
    for (const CQBrush& cutter : cutters) cutting.push_back(&cutter);
    std::vector<CQBrush> pieces;
    for (const CQBrush& target : targets) {
        for (CQBrush& piece : SubtractBrushes(cutting, target, log)) pieces.push_back(std::move(piece));
    }
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

TEST(Subtraction, PiecesCoverExactlyTheTargetOutsideTheCutters)
{
    FakeHost log;
    CQBrush slanted = Box({40, 40, -16}, {88, 88, 80});
    slanted.Move({-64, -64, -32}, TextureLock::Off);
    slanted.RotateZ(30, TextureLock::Off, log);
    slanted.RotateX(15, TextureLock::Off, log);
    slanted.Move({64, 64, 32}, TextureLock::Off);
    // The target, the cutters and how many pieces are left (0: not counted).
    const std::tuple<CQBrush, std::vector<CQBrush>, size_t> cases[] = {
        {Box({0, 0, 0}, {128, 128, 128}), {Box({32, 32, 32}, {96, 96, 96})}, 6}, // a piece on each side of the hole
        {Box({0, 0, 0}, {256, 16, 128}), {Box({96, 0, 0}, {160, 16, 96})}, 3},   // a doorway as thick as the wall
        {Box({0, 0, 0}, {64, 64, 64}), {Box({16, 0.05f, 16}, {48, 80, 48})}, 4}, // a hair from a side: no sliver
        {Box({0, 0, 0}, {128, 128, 64}), {slanted}, 0},
        {Box({0, 0, 0}, {256, 64, 64}), {Box({32, -16, 16}, {96, 80, 48}), Box({80, 16, -16}, {200, 48, 80})}, 0}, // the second cuts pieces
    };
    for (const auto& [target, cutters, count] : cases) {
        SCOPED_TRACE(count);
        const std::vector<CQBrush> pieces = subtracted({target}, cutters, log);
        EXPECT_TRUE(count == 0 || pieces.size() == count) << pieces.size();
        expectPiecesCoverTargetsMinusCutters(pieces, {target}, cutters);
    }
}

TEST(Subtraction, TargetsBesideTheCutterOrWithTooManyFacesStayWholeAndTargetsInsideItGo)
{
    FakeHost log;
    const std::vector<CQBrush> touching = subtracted({Box({0, 0, 0}, {64, 64, 64})}, {Box({64, 0, 0}, {128, 64, 64})}, log);
    ASSERT_EQ(touching.size(), 1u);
    EXPECT_TRUE(touching[0].numfaces() == 6 && touching[0].mins() == kOrigin && touching[0].maxs() == (Vec3{64, 64, 64}));
    EXPECT_TRUE(subtracted({Box({16, 16, 16}, {48, 48, 48})}, {Box({0, 0, 0}, {64, 64, 64})}, log).empty());
    // A 49-sided spike has 50 faces: no piece of it could take a cutting face.
    const auto spike = MakeSpike(Box({-128, -128, 0}, {128, 128, 64}), 0, 49, "W", log);
    ASSERT_TRUE(spike);
    const std::vector<CQBrush> full = subtracted({spike->brushes[0]}, {Box({-32, -32, -16}, {32, 32, 80})}, log);
    EXPECT_EQ(log.debugCount("addFace: numfaces == MAX_FACES\n"), 1);
    ASSERT_EQ(full.size(), 1u);
    EXPECT_NEAR(Volume(full[0]), Volume(spike->brushes[0]), 1.0f);
}

TEST_F(EditorTest, SubtractionBreaksOverlappedBrushesInTheirPlaceAndPutsTheCuttersLastSelectedButNeverAPointEntitys)
{
    makeWorld({{{0, 0, 0}, {128, 128, 128}}, {{32, 32, 32}, {96, 96, 96}}, {{500, 0, 0}, {564, 64, 64}},
               {{0, 0, 200}, {64, 64, 264}}});
    SubtractSelection(map(), host);
    EXPECT_FALSE(map().canUndo()) << "nothing selected: nothing happens";
    select(0, {1});
    SubtractSelection(map(), host);
    ASSERT_EQ(world().brushCount(), 9) << "six pieces, two untouched brushes, the cutter";
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(Contains(Box({0, 0, 0}, {128, 128, 128}), worldBrush(i).Centre()));
    EXPECT_EQ(worldBrush(6).mins(), (Vec3{500, 0, 0}));
    EXPECT_EQ(worldBrush(7).mins(), (Vec3{0, 0, 200}));
    EXPECT_EQ(worldBrush(8).mins(), (Vec3{32, 32, 32}));
    EXPECT_TRUE(map().countSelectedBrushes() == 1 && selected(0, 8)); // its undo is in the undo test's table

    addPointEntity("light", {32, 32, 32}); // a point entity's box cuts nothing
    select(1, {0});
    SubtractSelection(map(), host);
    EXPECT_EQ(map().undoName(), "Add Entity");
}
