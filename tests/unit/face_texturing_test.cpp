#include "box_text.h"
#include "document/edit_commands.h"
#include "document/face_commands.h"
#include "editor_fixture.h"
#include "geometry/face_surface.h"
#include "map/brush_group.h"
#include "texel_checks.h"

#include <filesystem>

using namespace vorn;
using namespace vorn::test;

namespace {

// The faces of a box by their place in it (see Box).
constexpr int kTop = 0;
constexpr int kBottom = 1;
constexpr int kWest = 2;

} // namespace

// A world of two boxes; faces are picked the way Ctrl+Shift+click picks them.
class FaceTexturingTest : public EditorTest {
protected:
    FaceTexturingTest() { makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 64}}}); }
    FaceRef face(int brush, int f) { return {worldBrush(brush).id(), f}; }
    const CQFace& faceAt(int brush, int f) { return worldBrush(brush).face(f); }
};

TEST_F(FaceTexturingTest, FacesAndBrushesAreSelectedApartAndUndoBringsTheFacesBack)
{
    select(0, {1});
    map().toggleFace(face(0, kTop));
    map().toggleFace(face(1, kWest));
    EXPECT_EQ(map().countSelectedBrushes(), 0) << "picking a face deselects the brushes";
    EXPECT_EQ(map().selectedFaces(), (std::vector<FaceRef>{face(0, kTop), face(1, kWest)}));

    map().SetCurrentTexture("FLOOR");
    ApplyTextureToSelection(map());
    EXPECT_EQ(faceAt(0, kTop).texture, "FLOOR");
    EXPECT_EQ(faceAt(1, kWest).texture, "FLOOR");
    EXPECT_EQ(faceAt(0, kBottom).texture, "WALL") << "only the selected faces take it";

    map().DeselectAll();
    EXPECT_FALSE(map().hasSelectedFaces());
    map().Undo();
    EXPECT_EQ(faceAt(0, kTop).texture, "WALL");
    EXPECT_EQ(map().selectedFaces().size(), 2u) << "the step restores the faces it was made on";

    map().toggleFace(face(1, kWest));
    select(0, {0});
    EXPECT_FALSE(map().hasSelectedFaces()) << "picking a brush deselects the faces";
    map().toggleFace(face(1, kTop));
    change([&](MapChange& c) { c.removeBrush({0, 1}); });
    EXPECT_TRUE(map().selectedFaces().empty()) << "a face goes with its brush";
}

// Each field sets every selected face, in both face formats, and Undo gives the map back byte for
// byte. A turned face with axes lays its texture as the standard projection turned as far does.
TEST_F(FaceTexturingTest, SurfaceFieldsSetEveryFaceAndTurnBothFormatsTheSameWay)
{
    const std::string before = mapText();
    map().toggleFace(face(0, kTop));
    map().toggleFace(face(0, kWest));
    SetFacesSurface(map(), SurfaceField::OffsetX, 12.5);
    SetFacesSurface(map(), SurfaceField::ScaleY, 0.5);
    SetFacesSurface(map(), SurfaceField::Rotation, 30);
    for (const int f : {kTop, kWest}) {
        EXPECT_EQ(faceAt(0, f).shift[0], 12.5);
        EXPECT_EQ(faceAt(0, f).scale[1], 0.5);
        EXPECT_EQ(faceAt(0, f).rotation, 30);
    }
    NudgeFaces(map(), {-8, 4}, 15);
    EXPECT_EQ(faceAt(0, kTop).shift, (std::array<double, 2>{4.5, 4}));
    EXPECT_EQ(faceAt(0, kTop).rotation, 45);
    ResetFaces(map());
    EXPECT_EQ(faceAt(0, kWest).rotation, 0);
    EXPECT_EQ(faceAt(0, kWest).scale, (std::array<double, 2>{1, 1}));
    for (int i = 0; i < 6; ++i) map().Undo();
    EXPECT_EQ(mapText(), before);

    for (const int f : {kTop, kWest, kBottom}) {
        CQFace standard = faceAt(0, f);
        CQFace valve = standard;
        valve.axes = StandardAxes(valve);
        SetSurfaceValue(standard, SurfaceField::Rotation, 40);
        SetSurfaceValue(valve, SurfaceField::Rotation, 40);
        EXPECT_LT(TexelDistance(standard, valve), 1e-6) << "face " << f;
    }
}

// Fit lays the texture across a slanted face the asked number of times from its corner; Align to
// Face lays a Valve face's axes along its longest edge.
TEST_F(EditorTest, FitAndAlignLayTexturesOnSlantedFaces)
{
    NullDebugOutput log;
    CQBrush ramp = ReadBlock("\n( 0 0 0 ) ( 0 64 0 ) ( 128 64 64 ) WALL [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n"
                             "( 0 0 0 ) ( 128 0 0 ) ( 128 64 0 ) WALL [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1 1\n"
                             "( 128 0 0 ) ( 128 0 64 ) ( 128 64 64 ) WALL [ 0 1 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
                             "( 0 0 0 ) ( 0 0 64 ) ( 128 0 64 ) WALL [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n"
                             "( 0 64 0 ) ( 128 64 0 ) ( 128 64 64 ) WALL [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 1 1\n}\n",
                             log);
    ASSERT_TRUE(ramp.IsValid());
    const TextureSizeSource::Size size{64, 32};
    for (const bool valve : {false, true}) {
        CQFace slope = ramp.face(0);
        if (!valve) slope.axes.reset();
        ASSERT_TRUE(FitSurface(slope, size, {2, 3}));
        std::array<double, 2> low{1e9, 1e9}, high{-1e9, -1e9};
        for (const auto& texel : CornerTexels(slope)) {
            for (size_t k = 0; k < 2; ++k) {
                low[k] = std::min(low[k], texel[k]);
                high[k] = std::max(high[k], texel[k]);
            }
        }
        EXPECT_NEAR(high[0] - low[0], 2 * 64, 1e-6);
        EXPECT_NEAR(high[1] - low[1], 3 * 32, 1e-6);
        EXPECT_NEAR(std::remainder(low[0], 64), 0, 1e-6) << "the texture starts at the face's corner";
        EXPECT_FALSE(FitSurface(slope, {}, {1, 1})) << "no size, no fit";
    }
    CQFace slope = ramp.face(0);
    ASSERT_TRUE(AlignSurfaceToFace(slope, size));
    const DVec3 along = slope.axes->axis[0];
    EXPECT_NEAR(std::fabs(Dot(along, Normalized(DVec3{128, 0, 64}))), 1, 1e-9) << "the longest edge runs up the slope";
    EXPECT_NEAR(Dot(slope.axes->axis[1], ToDouble(slope.plane.normal)), 0, 1e-9);
    EXPECT_NEAR(Dot(slope.axes->axis[1], along), 0, 1e-9);
}

TEST_F(FaceTexturingTest, FaceTexturesCopyPasteReplaceAndSelect)
{
    map().toggleFace(face(0, kTop));
    SetFacesSurface(map(), SurfaceField::OffsetY, 7);
    SetFacesTexture(map(), "SKY1");
    const auto copied = CopyFaceTexture(map());
    ASSERT_TRUE(copied);
    map().toggleFace(face(1, kBottom));
    EXPECT_FALSE(CopyFaceTexture(map())) << "copy takes one face";

    map().toggleFace(face(0, kTop));
    PasteFaceTexture(map(), *copied);
    EXPECT_EQ(faceAt(1, kBottom).texture, "SKY1");
    EXPECT_EQ(faceAt(1, kBottom).shift[1], 7);

    const std::string before = mapText();
    select(0, {1});
    EXPECT_EQ(ReplaceTexture(map(), "SKY1", "LAVA", true), 1);
    EXPECT_EQ(ReplaceTexture(map(), "WALL", "BRICK", false), 10);
    EXPECT_EQ(SelectFacesWithTexture(map(), "BRICK"), 10);
    EXPECT_EQ(map().countSelectedBrushes(), 0);
    EXPECT_EQ(SelectBrushesWithTexture(map(), "LAVA"), 1);
    EXPECT_TRUE(map().isSelected(worldBrush(1)));
    map().Undo();
    map().Undo();
    EXPECT_EQ(mapText(), before);
}

TEST_F(EditorTest, ReplaceAndSelectCountTheFacesOfARealMap)
{
    const std::filesystem::path path = std::filesystem::path(VORN_CORPUS_DIR) / "maps/valve220/lqdm7.map";
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "no corpus at " << VORN_CORPUS_DIR;
    ASSERT_TRUE(editor.openMap(path.string()));
    const std::string name = world().brush(0).face(0).texture.str();
    int faces = 0;
    for (int e = 0; e < map().EntityCount(); ++e) {
        if (!map().entity(e).isModifiable()) continue;
        for (const CQBrush& brush : map().entity(e).brushes()) {
            faces += static_cast<int>(std::ranges::count_if(brush.faces(), [&](const CQFace& f) { return f.texture == name; }));
        }
    }
    ASSERT_GT(faces, 100);
    const std::string before = mapText();
    EXPECT_EQ(SelectFacesWithTexture(map(), name), faces);
    EXPECT_EQ(ReplaceTexture(map(), name, "NEW_NAME", true), faces);
    EXPECT_EQ(SelectFacesWithTexture(map(), name), 0);
    map().Undo();
    EXPECT_EQ(mapText(), before);
}
