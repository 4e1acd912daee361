#include "geometry/clip_points.h"

#include "brush_checks.h"
#include "recording_debug.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace vorn;
using namespace vorn::test;

namespace {

std::vector<CQBrush> unselected(const CQEntity& e)
{
    std::vector<CQBrush> pieces;
    for (const CQBrush& b : e.brushes()) {
        if (!b.IsSelected()) pieces.push_back(b);
    }
    return pieces;
}

// Near some face plane of the brushes, where inside and outside are a matter of rounding.
bool nearAFace(const std::vector<CQBrush>& brushes, Vec3 p)
{
    for (const CQBrush& b : brushes) {
        for (const CQFace& f : b.faces()) {
            if (f.winding && std::fabs(f.plane.distanceTo(p)) < 0.05f) return true;
        }
    }
    return false;
}

// Samples a grid over the box (offset from whole numbers so no sample lies on a face): a point
// is in exactly one piece when it is in a target and in no cutter, and in no piece otherwise.
void expectPiecesCoverTargetsMinusCutters(const std::vector<CQBrush>& pieces, const std::vector<CQBrush>& targets,
                                          const std::vector<CQBrush>& cutters, Vec3 lo, Vec3 hi, float step)
{
    for (const CQBrush& piece : pieces) ExpectSolid(piece);
    for (float x = lo.x + 0.37f; x < hi.x; x += step) {
        for (float y = lo.y + 0.41f; y < hi.y; y += step) {
            for (float z = lo.z + 0.43f; z < hi.z; z += step) {
                const Vec3 p{x, y, z};
                if (nearAFace(cutters, p) || nearAFace(pieces, p)) continue;
                const bool wanted = CountContaining(targets, p) > 0 && CountContaining(cutters, p) == 0;
                ASSERT_EQ(CountContaining(pieces, p), wanted ? 1 : 0) << x << " " << y << " " << z;
            }
        }
    }
}

} // namespace

TEST(Subtraction, CutterInsideTheTargetLeavesSixPiecesAroundTheHole)
{
    RecordingDebug log;
    const CQBrush target = Box({0, 0, 0}, {128, 128, 128});
    const CQBrush cutter = Box({32, 32, 32}, {96, 96, 96});
    CQEntity e;
    e.AddBrush(target);
    e.brushes()[0].SetSelected(false);
    e.AddBrush(cutter);

    SubtractSelection(e, log);
    const std::vector<CQBrush> pieces = unselected(e);
    EXPECT_EQ(pieces.size(), 6u);
    float volume = 0;
    for (const CQBrush& p : pieces) volume += Volume(p);
    EXPECT_NEAR(volume, 128.0f * 128 * 128 - 64.0f * 64 * 64, 2.0f);
    expectPiecesCoverTargetsMinusCutters(pieces, {target}, {cutter}, {-8, -8, -8}, {136, 136, 136}, 8);

    // The cutter stays selected, after the pieces.
    ASSERT_EQ(e.selectedCount(), 1);
    EXPECT_TRUE(e.brushes().back().IsSelected());
    EXPECT_EQ(e.brushes().back().mins(), (Vec3{32, 32, 32}));
}

TEST(Subtraction, CutterFlushWithTheWallLeavesNoFlatPieces)
{
    // A doorway through a wall, the cutter exactly as thick as the wall: the faces it shares
    // with the wall must not turn into pieces of no thickness.
    RecordingDebug log;
    const CQBrush wall = Box({0, 0, 0}, {256, 16, 128});
    const CQBrush door = Box({96, 0, 0}, {160, 16, 96});
    CQEntity e;
    e.AddBrush(wall);
    e.brushes()[0].SetSelected(false);
    e.AddBrush(door);

    SubtractSelection(e, log);
    const std::vector<CQBrush> pieces = unselected(e);
    EXPECT_EQ(pieces.size(), 3u);
    float volume = 0;
    for (const CQBrush& p : pieces) volume += Volume(p);
    EXPECT_NEAR(volume, 256.0f * 16 * 128 - 64.0f * 16 * 96, 2.0f);
    expectPiecesCoverTargetsMinusCutters(pieces, {wall}, {door}, {-8, -8, -8}, {264, 24, 136}, 4);
}

TEST(Subtraction, CutterAHairFromATargetFaceLeavesNoSliver)
{
    RecordingDebug log;
    CQEntity e = EntityWithBox({0, 0, 0}, {64, 64, 64});
    e.brushes()[0].SetSelected(false);
    e.AddBrush(Box({16, 0.05f, 16}, {48, 80, 48}));
    SubtractSelection(e, log);
    for (const CQBrush& piece : unselected(e)) {
        ExpectSolid(piece);
        for (int axis = 0; axis < 3; ++axis) EXPECT_GT(piece.maxs()[axis] - piece.mins()[axis], 1.0f);
    }
}

TEST(Subtraction, ASlantedCutterCoversExactlyTheRest)
{
    RecordingDebug log;
    const CQBrush target = Box({0, 0, 0}, {128, 128, 64});
    CQEntity cutterHolder = EntityWithBox({40, 40, -16}, {88, 88, 80});
    cutterHolder.RotateSelectionZ(30, log);
    cutterHolder.RotateSelectionX(15, log);
    const CQBrush cutter = cutterHolder.brushes()[0];

    CQEntity e;
    e.AddBrush(target);
    e.brushes()[0].SetSelected(false);
    e.AddBrush(cutter);
    SubtractSelection(e, log);
    expectPiecesCoverTargetsMinusCutters(unselected(e), {target}, {cutter}, {-4, -4, -4}, {132, 132, 68}, 4);
}

TEST(Subtraction, TwoCuttersCutTheFirstCutsPieces)
{
    RecordingDebug log;
    const CQBrush target = Box({0, 0, 0}, {256, 64, 64});
    const CQBrush first = Box({32, -16, 16}, {96, 80, 48});
    const CQBrush second = Box({80, 16, -16}, {200, 48, 80});
    CQEntity e;
    e.AddBrush(target);
    e.brushes()[0].SetSelected(false);
    e.AddBrush(first);
    e.AddBrush(second);

    SubtractSelection(e, log);
    const std::vector<CQBrush> pieces = unselected(e);
    // No piece occurs twice.
    for (size_t i = 0; i < pieces.size(); ++i) {
        for (size_t j = i + 1; j < pieces.size(); ++j) {
            EXPECT_FALSE(pieces[i].mins() == pieces[j].mins() && pieces[i].maxs() == pieces[j].maxs());
        }
    }
    expectPiecesCoverTargetsMinusCutters(pieces, {target}, {first, second}, {-8, -24, -24}, {264, 88, 88}, 8);
    // Both cutters stay, selected and in order, at the end.
    ASSERT_EQ(e.selectedCount(), 2);
    const auto n = static_cast<size_t>(e.brushCount());
    EXPECT_EQ(e.brushes()[n - 2].mins(), first.mins());
    EXPECT_EQ(e.brushes()[n - 1].mins(), second.mins());
}

TEST(Subtraction, DisjointCutterLeavesTheTargetAsItWas)
{
    RecordingDebug log;
    CQEntity e = EntityWithBox({0, 0, 0}, {64, 64, 64});
    e.brushes()[0].SetSelected(false);
    // Touching counts as not overlapping.
    e.AddBrush(Box({64, 0, 0}, {128, 64, 64}));
    SubtractSelection(e, log);
    ASSERT_EQ(e.brushCount(), 2);
    const CQBrush& kept = e.brushes()[0];
    EXPECT_FALSE(kept.IsSelected());
    EXPECT_EQ(kept.numfaces(), 6);
    EXPECT_EQ(kept.mins(), (Vec3{0, 0, 0}));
    EXPECT_EQ(kept.maxs(), (Vec3{64, 64, 64}));
    ExpectSolid(kept);
}

TEST(Subtraction, TargetInsideTheCutterDisappears)
{
    RecordingDebug log;
    CQEntity e = EntityWithBox({16, 16, 16}, {48, 48, 48});
    e.brushes()[0].SetSelected(false);
    e.AddBrush(Box({0, 0, 0}, {64, 64, 64}));
    SubtractSelection(e, log);
    ASSERT_EQ(e.brushCount(), 1);
    EXPECT_TRUE(e.brushes()[0].IsSelected());
}

TEST(Subtraction, PointEntityAndEmptySelectionDoNothing)
{
    RecordingDebug log;
    CQEntity point = EntityWithBox({0, 0, 0}, {64, 64, 64});
    point.brushes()[0].SetSelected(false);
    point.AddBrush(Box({16, 16, 16}, {48, 48, 48}));
    point.setModifiable(false);
    SubtractSelection(point, log);
    EXPECT_EQ(point.brushCount(), 2);
    EXPECT_EQ(point.brushes()[0].numfaces(), 6);

    CQEntity none = EntityWithBox({0, 0, 0}, {64, 64, 64});
    none.AddBrush(Box({16, 16, 16}, {48, 48, 48}));
    for (CQBrush& b : none.brushes()) b.SetSelected(false);
    SubtractSelection(none, log);
    EXPECT_EQ(none.brushCount(), 2);
    EXPECT_EQ(none.brushes()[0].maxs(), (Vec3{64, 64, 64}));
}

TEST(Subtraction, TargetWithTooManyFacesIsKeptWhole)
{
    // A 48-sided prism has 50 faces: no piece of it can take a cutting face.
    RecordingDebug log;
    CQBrush prism;
    constexpr int kSides = 48;
    const double step = 6.283185308 / kSides;
    auto vertex = [&](int k, float z) {
        const double a = -step / 2 + k * step;
        return Vec3{static_cast<float>(128 * std::cos(a)), static_cast<float>(128 * std::sin(a)), z};
    };
    for (int k = 0; k < kSides; ++k) prism.AddFace(CQFace(vertex(k, 0), vertex(k, 64), vertex(k + 1, 64), "W"), log);
    prism.AddFace(CQFace({0, 0, 64}, {0, 64, 64}, {64, 64, 64}, "W"), log);
    prism.AddFace(CQFace({0, 0, 0}, {64, 0, 0}, {64, 64, 0}, "W"), log);
    ASSERT_TRUE(prism.BuildWindings(log));
    ASSERT_EQ(prism.numfaces(), kMaxFaces);

    CQEntity e;
    e.AddBrush(prism);
    e.brushes()[0].SetSelected(false);
    e.AddBrush(Box({-32, -32, -16}, {32, 32, 80}));
    SubtractSelection(e, log);
    EXPECT_EQ(log.count("addFace: numfaces == MAX_FACES\n"), 1);
    ASSERT_EQ(e.brushCount(), 2);
    EXPECT_EQ(e.brushes()[0].numfaces(), kMaxFaces);
    EXPECT_NEAR(Volume(e.brushes()[0]), Volume(prism), 1.0f);
}
