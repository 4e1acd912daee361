#include "box_text.h"
#include "document/brush_commands.h"
#include "document/selection_edits.h"
#include "editor_fixture.h"
#include "map/brush_group.h"
#include "texel_checks.h"

using namespace vorn;
using namespace vorn::test;

namespace {

CQBrush valveBox()
{
    NullDebugOutput log;
    return ReadBlock(kValveBoxBlock + 1, log);
}

} // namespace

// An editor whose world holds the Valve box, selected.
class TextureLock : public EditorTest {
protected:
    TextureLock()
    {
        editor.readMapText(std::string("{\n\"classname\" \"worldspawn\"\n") + kValveBoxBlock + "}\n");
        select(0, {0});
    }
    void rotate(void (*turn)(CQMap&, float, DebugOutput&), float degrees) { turn(map(), degrees, host); }
};

TEST_F(TextureLock, ValveBrushesMadeMovedTurnedAndStretchedKeepTheTexelOfEveryCorner)
{
    ASSERT_EQ(map().format(), MapFormat::Valve220);
    const CQBrush& box = worldBrush(0);
    ExpectSolid(box);

    CQBrush before = box;
    NudgeSelection(map(), {16, 8, 0});
    EXPECT_EQ(box.mins(), (Vec3{16, 8, 0}));
    ExpectSameTexels(before, box);

    before = box;
    rotate(RotateSelectionZ, 90);
    EXPECT_TRUE(Near(box.Centre(), {48, 40, 32}));
    EXPECT_EQ(box.face(0).axes->axis[0], (DVec3{-0.5, 0.8660254037844387, 0})) << "quarter turns are exact";
    ExpectSameTexels(before, box);

    before = box;
    rotate(RotateSelectionX, 15);
    map().scale = {2, 1, 0.5f};
    ScaleSelectionBy(map(), ScaleDirection::Up, host);
    ExpectSolid(box);
    ExpectSameTexels(before, box);
    EXPECT_TRUE(host.debug.empty());

    // A brush made in a Valve map gets the axes of the standard projection, and its texture moves with it.
    map().DeselectAll();
    AddNewBrush(map(), Box({200, 0, 0}, {264, 64, 64}, "WALL"));
    const CQBrush& made = worldBrush(1);
    for (const CQFace& face : made.faces()) {
        ASSERT_TRUE(face.axes);
        EXPECT_EQ(face.axes->axis, StandardAxes(face).axis);
    }
    before = made;
    NudgeSelection(map(), {16, 8, 0});
    ExpectSameTexels(before, made);

    map().NewMap(); // a new map is standard: its brushes lay their textures by projection
    AddNewBrush(map(), Box({200, 0, 0}, {264, 64, 64}, "WALL"));
    EXPECT_FALSE(worldBrush(0).face(0).axes);
}

TEST_F(EditorTest, StandardFacesKeepTheirTextureWhereItLies)
{
    CQBrush shifted = box({0, 0, 0}, {64, 64, 64});
    shifted.face(0).shift = {5, 7};
    std::string text = "{\n\"classname\" \"worldspawn\"\n";
    AppendBrush(text, shifted, MapFormat::Standard);
    editor.readMapText(text + "}\n");
    select(0, {0});
    NudgeSelection(map(), {16, 8, 0});
    map().rotation = {90, 90, 90};
    RotateSelectionZ(map(), map().rotation.z, host);
    EXPECT_EQ(worldBrush(0).face(0).shift, (std::array<double, 2>{5, 7}));
    EXPECT_FALSE(worldBrush(0).face(0).axes);
}

TEST(BrushGroup, ValveBrushesKeepTheirAxesAndTheirTextures)
{
    FakeHost host;
    const CQBrush source = valveBox();
    const CQBrush* brushes[] = {&source};
    const std::string group = BrushGroupText(brushes);
    EXPECT_NE(group.find("[ 0 1 0 0.25 ]"), std::string::npos);

    BrushGroupRead read = ReadBrushGroup(group, host);
    PlaceBrushGroup(read, {{320, 160, 0}, false, 16});
    ASSERT_EQ(read.brushes.size(), 1u);
    const CQBrush& loaded = read.brushes[0];
    EXPECT_EQ(loaded.mins(), (Vec3{288, 128, -32})); // centred on the target at height 0
    ExpectSameTexels(source, loaded);
}

TEST(TextureAlignment, AlongAxesMatchesTheStandardAlignmentForTheSameLaying)
{
    FixedTextureSizes sizes(64, 64);
    CQBrush standard = Box({100, 100, 100}, {164, 164, 140});
    CQBrush valve = standard;
    for (int i = 0; i < valve.numfaces(); ++i) valve.face(i).axes = StandardAxes(valve.face(i));
    standard.AlignTextures(sizes);
    valve.AlignTextures(sizes);
    ExpectSameTexels(standard, valve, 0);

    // Turned and stretched axes align along themselves: along each axis the face's last corner
    // comes to lie within 16 texels of a texture edge.
    CQBrush turned = valveBox();
    turned.AlignTextures(sizes);
    for (const CQFace& face : turned.faces()) {
        const auto texels = CornerTexels(face);
        ASSERT_FALSE(texels.empty());
        for (size_t k = 0; k < 2; ++k) {
            const auto last = std::ranges::max(texels, {}, [k](const auto& t) { return k == 0 ? t[0] : -t[1]; });
            EXPECT_LT(std::fabs(std::remainder(last[k], 64.0)), 16) << k;
        }
    }
}
