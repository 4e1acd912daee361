#include "textures/default_palette.h"
#include "textures/texture_image.h"
#include "textures/texture_panel.h"
#include "wad_fixtures.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::test;

class TexturePanelTest : public ::testing::Test {
protected:
    TexturePanelTest()
    {
        WadWriter writer;
        writer.addTexture("wall_brick", 64, 32, Solid(64, 32, 1));
        writer.addTexture("Ceil_Plank", 16, 16, Solid(16, 16, 2));
        writer.addTexture("*water", 32, 32, Solid(32, 32, 3));
        scratch.write("a.wad", writer.bytes());
        folders = {scratch.path().string()};
    }
    void show(std::string_view name) { panel.setTexture(name, "a.wad", folders); }

    ScratchFolder scratch;
    std::vector<std::string> folders;
    TexturePanel panel;
};

TEST_F(TexturePanelTest, ListsNoneFirstThenTheSortedNames)
{
    EXPECT_TRUE(panel.setWad("a.wad", folders).messages.empty());
    EXPECT_EQ(panel.textureList(), (std::vector<std::string>{"*NONE*", "*water", "Ceil_Plank", "wall_brick"}));
    EXPECT_EQ(panel.setWad("missing.wad", folders).messages, std::vector<std::string>{"Could not load wad named missing.wad"});
    EXPECT_EQ(panel.textureList(), std::vector<std::string>{"*NONE*"});
}

TEST_F(TexturePanelTest, TheCurrentTextureSelectsItsItemAndShowsItsSize)
{
    show("CEIL_PLANK"); // loads the archive it finds unloaded
    EXPECT_EQ(panel.selectedItem(), 2);
    EXPECT_EQ(panel.sizeText(), "16x16");
    ASSERT_TRUE(panel.preview());
    EXPECT_EQ(panel.preview()->name(), "Ceil_Plank");
    // Without the game's colour map the preview shows the palette's own colours: pixel value 2
    // is grey 2 of the default palette, not a brighter colour of another hue.
    const RgbaImage shown = ToRgba(*panel.preview(), panel.colours());
    const Rgb grey = DefaultPalette().colour(2);
    EXPECT_EQ(std::vector<uint8_t>(shown.rgba.begin(), shown.rgba.begin() + 4), (std::vector<uint8_t>{grey.r, grey.g, grey.b, 255}));

    // A prefix selects the item it begins but is no texture: "0x0", the preview stays.
    show("wall");
    EXPECT_EQ(panel.selectedItem(), 3);
    EXPECT_EQ(panel.texture(), "wall");
    EXPECT_EQ(panel.sizeText(), "0x0");
    EXPECT_EQ(panel.preview()->name(), "Ceil_Plank");

    // A name that begins no item makes the texture "*NONE*".
    show("stone");
    EXPECT_EQ(panel.texture(), "*NONE*");
    EXPECT_EQ(panel.selectedItem(), 0);
    EXPECT_EQ(panel.sizeText(), "0x0");

    // "*" begins "*NONE*" and "*water"; the search starts at the second item.
    show("*");
    EXPECT_EQ(panel.selectedItem(), 1);

    TextureSizeSource& sizes = panel.archives();
    EXPECT_EQ(sizes.textureSize("WALL_BRICK").width, 64);
    EXPECT_EQ(sizes.textureSize("nothing").height, 0);
}

TEST_F(TexturePanelTest, WithoutArchivesOnlyNoneIsListed)
{
    panel.setTexture("wall_brick", "missing.wad", folders);
    EXPECT_EQ(panel.texture(), "*NONE*");
    EXPECT_EQ(panel.textureList(), std::vector<std::string>{"*NONE*"});
    EXPECT_FALSE(panel.preview());
}
