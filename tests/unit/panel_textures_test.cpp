#include "document/edit_commands.h"
#include "editor_fixture.h"
#include "textures/default_palette.h"
#include "textures/texture_image.h"
#include "wad_fixtures.h"

#include <fstream>

using namespace vorn;
using namespace vorn::test;

namespace {

// A map of a world naming `wad` and holding one 40-unit box textured "floor".
std::string WorldNaming(const std::string& wad)
{
    return "{\n\"classname\" \"worldspawn\"\n\"wad\" \"" + wad +
           "\"\n{\n( 0 0 40 ) ( 0 40 40 ) ( 40 40 40 ) floor 0 0 0 1 1\n"
           "( 0 0 0 ) ( 40 0 0 ) ( 40 40 0 ) floor 0 0 0 1 1\n"
           "( 0 0 0 ) ( 0 40 0 ) ( 0 40 40 ) floor 0 0 0 1 1\n"
           "( 40 0 0 ) ( 40 0 40 ) ( 40 40 40 ) floor 0 0 0 1 1\n"
           "( 0 0 0 ) ( 0 0 40 ) ( 40 0 40 ) floor 0 0 0 1 1\n"
           "( 0 40 0 ) ( 40 40 0 ) ( 40 40 40 ) floor 0 0 0 1 1\n}\n}\n";
}

} // namespace

// The control panel's archives as the map names them: loaded on opening, shared with the camera
// and "Align Texture", reloaded only when the name changes.
class PanelTexturesTest : public EditorTest {
protected:
    PanelTexturesTest()
    {
        std::ofstream(folder / "a.wad", std::ios::binary) << Archive({{"WALL", 64}, {"floor", 32}, {"*water", 16}});
    }
    std::string writeMap(const std::string& name, const std::string& wad)
    {
        std::ofstream(folder / name) << WorldNaming(wad);
        return path(name);
    }
    const TexturePanel& textures() { return editor.panel().textures(); }
};

TEST_F(PanelTexturesTest, OpeningAMapLoadsTheArchiveItNamesForThePanelTheCameraAndAlignmentWhenTheNameChanges)
{
    ASSERT_TRUE(editor.openMap(writeMap("a.map", "a.wad")));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(textures().textureList(), (std::vector<std::string>{"*NONE*", "*water", "floor", "WALL"})) << "sorted ignoring case";

    const TextureSizeSource::Size size = editor.panel().textureSizes().textureSize("wall");
    EXPECT_EQ(std::pair(size.width, size.height), std::pair(64, 64));
    const std::optional<RgbaImage> picture = editor.panel().textureImages().image("FLOOR");
    ASSERT_TRUE(picture);
    EXPECT_EQ(std::pair(picture->width, picture->height), std::pair(32, 32));
    EXPECT_EQ(picture->rgba.size(), size_t{32 * 32 * 4});
    EXPECT_FALSE(editor.panel().textureImages().image("sky"));

    // The same archive is not read again; another, or a missing one, is.
    std::filesystem::remove(folder / "a.wad");
    ASSERT_TRUE(editor.openMap(writeMap("b.map", "a.wad")));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(textures().textureList().size(), 4u) << "the archive was read again";

    ASSERT_TRUE(editor.openMap(writeMap("c.map", "missing.wad")));
    EXPECT_EQ(host.messages, std::vector<std::string>{"Could not load wad named missing.wad"});
    EXPECT_EQ(textures().textureList(), std::vector<std::string>{"*NONE*"});
    EXPECT_FALSE(editor.panel().textureImages().image("WALL"));
}

TEST_F(PanelTexturesTest, AnArchiveNotFoundBeforeIsLookedForBesideTheNextMapAndInTheGameFolder)
{
    // Remembered from the last run; at start-up no map folder is known, so it is not found.
    editor.prefs().wad = "game.wad";
    editor.panel().setTexture("WALL");
    EXPECT_EQ(textures().textureList().size(), 1u);

    editor.prefs().gameFolder = (folder / "id1").string();
    std::filesystem::create_directories(folder / "id1");
    std::ofstream(folder / "id1" / "game.wad", std::ios::binary) << Archive({{"sky1", 16}});
    ASSERT_TRUE(editor.openMap(writeMap("a.map", "game.wad")));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(textures().textureList(), (std::vector<std::string>{"*NONE*", "sky1"}));
}

TEST_F(PanelTexturesTest, TheCurrentTextureIsShownWithItsSizeFromTheArchive)
{
    ASSERT_TRUE(editor.openMap(writeMap("a.map", "a.wad")));
    map().SetCurrentTexture("*"); // begins "*NONE*" too, but the search starts at the second item
    EXPECT_EQ(textures().selectedItem(), 1);
    map().SetCurrentTexture("WALL");
    EXPECT_EQ(textures().sizeText(), "64x64");
    EXPECT_EQ(textures().textureList()[*textures().selectedItem()], "WALL");
    // Without the game's colour map the preview shows the palette's own colours.
    const Rgb one = DefaultPalette().colour(1);
    const RgbaImage shown = ToRgba(*textures().preview(), textures().colours());
    EXPECT_EQ(std::vector<uint8_t>(shown.rgba.begin(), shown.rgba.begin() + 4), (std::vector<uint8_t>{one.r, one.g, one.b, 255}));

    ApplyTextureToSelection(map()); // nothing selected: nothing changes
    EXPECT_EQ(worldBrush(0).face(0).texture, "floor");
    EXPECT_FALSE(map().canUndo());
}
