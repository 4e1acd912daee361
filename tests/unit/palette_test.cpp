#include "textures/default_palette.h"
#include "textures/texture_archives.h"
#include "textures/texture_colours.h"
#include "textures/texture_image.h"
#include "wad_fixtures.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::test;

namespace {

int brightness(const Rgb& c) { return c.r + c.g + c.b; }

std::string paletteBytes(Rgb every)
{
    std::string bytes;
    for (int i = 0; i < CQPalette::kColours; ++i) bytes += {static_cast<char>(every.r), static_cast<char>(every.g), static_cast<char>(every.b)};
    return bytes;
}

// A colour map of `rows` rows whose row r sends every value to r.
std::string colourMapBytes(int rows)
{
    std::string bytes;
    for (int row = 0; row < rows; ++row) bytes.append(CQPaletteMap::kRowBytes, static_cast<char>(row));
    return bytes;
}

} // namespace

TEST(Palette, DefaultPaletteIsSixteenRampsFromDarkToBright)
{
    const CQPalette palette = DefaultPalette();
    EXPECT_EQ(palette.count(), 256);
    EXPECT_EQ(palette.colour(0), (Rgb{0, 0, 0}));
    EXPECT_EQ(palette.colour(1), (Rgb{15, 15, 15}));
    EXPECT_EQ(palette.colour(2), (Rgb{31, 31, 31}));
    EXPECT_EQ(palette.colour(3), (Rgb{47, 47, 47}));
    EXPECT_EQ(palette.colour(254), (Rgb{255, 255, 255}));
    EXPECT_EQ(palette.colour(255), (Rgb{159, 91, 83}));
    for (int ramp = 0; ramp < 16; ++ramp) {
        for (int step = 1; step < 14; ++step) {
            EXPECT_LT(brightness(palette.colour(16 * ramp + step - 1)), brightness(palette.colour(16 * ramp + step)))
                << ramp << " " << step;
        }
    }
}

TEST(Palette, ColourMapRowsAreTakenOnlyWhenWhole)
{
    CQPaletteMap map;
    EXPECT_TRUE(map.loadRow(colourMapBytes(64), 32));
    EXPECT_EQ(map[200], 32);
    EXPECT_FALSE(map.loadRow(colourMapBytes(64).substr(0, 32 * 256 + 255), 32));
    EXPECT_EQ(map[200], 32); // unchanged
    EXPECT_FALSE(CQPaletteMap().loadRow(colourMapBytes(64), -1));
    EXPECT_EQ(CQPalette::fromBytes(std::string(767, '\1')).count(), 0);
}

TEST(Palette, TheGamesOwnColoursWinWhereTheyAreAtHand)
{
    ScratchFolder scratch;
    const std::vector<std::string> folders{(scratch.path() / "map").string(), (scratch.path() / "game").string()};
    TextureArchives archives;
    archives.load("plain.wad", folders);

    // Nothing at hand: the default palette, shown as it is.
    TextureColours colours = FindTextureColours(archives, folders);
    EXPECT_EQ(colours.palette.colour(254), (Rgb{255, 255, 255}));
    for (int i = 0; i < 256; ++i) EXPECT_EQ(colours.map[static_cast<uint8_t>(i)], i);

    // The files of the first folder that has them, a colour map row 32.
    scratch.write("game/palette.lmp", paletteBytes({1, 2, 3}));
    scratch.write("game/colormap.lmp", colourMapBytes(64));
    scratch.write("map/colormap.lmp", colourMapBytes(16)); // too short for row 32: passed over
    colours = FindTextureColours(archives, folders);
    EXPECT_EQ(colours.palette.colour(100), (Rgb{1, 2, 3}));
    EXPECT_EQ(colours.map[5], 32);

    // An archive's palette lump beats the file.
    WadWriter writer;
    writer.addLump(CQWad::kPaletteType, "palette", paletteBytes({7, 8, 9}));
    writer.addTexture("tex", 2, 1, {0, 1});
    scratch.write("map/plain.wad", writer.bytes());
    archives.load("plain.wad", folders);
    colours = FindTextureColours(archives, folders);
    EXPECT_EQ(colours.palette.colour(100), (Rgb{7, 8, 9}));

    colours.palette.setColour(32, {10, 20, 30});
    colours.palette.setColour(1, {99, 99, 99});
    const RgbaImage image = ToRgba(archives.readTexture("tex"), colours);
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 1);
    // Both pixels show colour 32 through the colour map.
    EXPECT_EQ(image.rgba, (std::vector<uint8_t>{10, 20, 30, 255, 10, 20, 30, 255}));
}

TEST(Palette, CorpusPaletteAndColourMapRead)
{
    const auto folder = kCorpus / "palette";
    if (!std::filesystem::exists(folder)) GTEST_SKIP() << "no corpus at " << kCorpus;
    const TextureColours colours = FindTextureColours(TextureArchives(), {folder.string()});
    EXPECT_EQ(colours.palette.count(), 256);
    const CQPalette ours = DefaultPalette();
    int differing = 0;
    for (int i = 0; i < 256; ++i) differing += colours.palette.colour(i) != ours.colour(i);
    EXPECT_GT(differing, 100);
    int changed = 0;
    for (int i = 0; i < 256; ++i) changed += colours.map[static_cast<uint8_t>(i)] != i;
    EXPECT_LT(changed, 256); // row 32 is close to the palette's own colours
}
