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

// An editor whose world holds the Valve box, selected, with the texture lock on.
class TextureLockTest : public EditorTest {
protected:
    TextureLockTest()
    {
        editor.readMapText(std::string("{\n\"classname\" \"worldspawn\"\n") + kValveBoxBlock + "}\n");
        select(0, {0});
        map().textureLock = TextureLock::On;
    }
    void rotate(void (*turn)(CQMap&, float, Host&), float degrees) { turn(map(), degrees, host); }
};

TEST_F(TextureLockTest, ValveBrushesMadeMovedTurnedAndStretchedKeepTheTexelOfEveryCorner)
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

// Without the lock standard faces keep their texture numbers, so the texture stays where it lies.
// With it they keep their texture: exactly through moves and turns about z, and within 0.01 texel
// through turns the standard projection can express; where it cannot, they keep the nearest and
// the status bar says so once.
TEST_F(EditorTest, StandardFacesKeepTheirNumbersWithoutTheLockAndTheirTextureWithIt)
{
    CQBrush shifted = box({0, 0, 0}, {64, 64, 64});
    shifted.face(0).shift = {5, 7};
    shifted.face(2).rotation = 45;
    shifted.face(3).scale = {0.5, 2};
    std::string text = "{\n\"classname\" \"worldspawn\"\n";
    AppendBrush(text, shifted, MapFormat::Standard);
    editor.readMapText(text + "}\n");
    select(0, {0});
    NudgeSelection(map(), {16, 8, 0});
    RotateSelectionZ(map(), 90, host);
    EXPECT_EQ(worldBrush(0).face(0).shift, (std::array<double, 2>{5, 7}));
    EXPECT_FALSE(worldBrush(0).face(0).axes);

    map().textureLock = TextureLock::On;
    const CQBrush& brush = worldBrush(0);
    CQBrush before = brush;
    NudgeSelection(map(), {24, -8, 40});
    ExpectSameTexels(before, brush, 1e-9);
    before = brush;
    RotateSelectionX(map(), 90, host);
    ExpectSameTexels(before, brush, 0.01);
    before = brush;
    RotateSelectionZ(map(), 30, host);
    ExpectSameTexels(before, brush);
    EXPECT_TRUE(host.statuses.empty());
    for (int i = 0; i < brush.numfaces(); ++i) EXPECT_FALSE(brush.face(i).axes);

    // Turned about z, then about x, a side's texture runs aslant of every axis plane.
    RotateSelectionX(map(), 30, host);
    EXPECT_EQ(host.statuses, std::vector<std::string>{
        "Texture lock: some faces of the standard format cannot keep their texture exactly; they keep the nearest."});
}

TEST(BrushGroup, ValveBrushesKeepTheirAxesAndTheirTextures)
{
    FakeHost host;
    const CQBrush source = valveBox();
    const CQBrush* brushes[] = {&source};
    const std::string group = BrushGroupText(brushes);
    EXPECT_NE(group.find("[ 0 1 0 0.25 ]"), std::string::npos);

    BrushGroupRead read = ReadBrushGroup(group, host);
    PlaceBrushGroup(read, {{320, 160, 0}, false, 16, TextureLock::On});
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
