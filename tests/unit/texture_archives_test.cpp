#include "editor_fixture.h"
#include "textures/default_palette.h"
#include "textures/texture_archives.h"
#include "textures/texture_colours.h"
#include "textures/texture_image.h"
#include "wad_fixtures.h"

#include <gtest/gtest.h>

#include <set>

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

TEST(TextureArchives, WadValuesSplitOnSemicolonsAndRelativePathsTryTheMapFolderFirstThenTheOthers)
{
    EXPECT_EQ(SplitWadValue(" a.wad;../b.wad ;;c d.wad;"), (std::vector<std::string>{"a.wad", "../b.wad", "c d.wad"}));
    EXPECT_TRUE(SplitWadValue("").empty());
    EXPECT_EQ(TextureSearchFolders("/maps/e1m1.map", "/quake/id1"), (std::vector<std::string>{"/maps", "", "/quake/id1"}));
    EXPECT_EQ(TextureSearchFolders("", ""), std::vector<std::string>{""});
    EXPECT_EQ(CandidatePaths("/abs/x.wad", {"map", ""}), std::vector<std::string>{"/abs/x.wad"});
    EXPECT_EQ(CandidatePaths("gfx/x.wad", {"/maps", "", "/game"}),
              (std::vector<std::string>{"/maps/gfx/x.wad", "gfx/x.wad", "/game/gfx/x.wad"}));

    // Relative paths try the map's folder first, then the others.
    ScratchFolder scratch;
    const std::string mapFolder = (scratch.path() / "maps").string();
    const std::string gameFolder = (scratch.path() / "game").string();
    scratch.write("maps/gfx/both.wad", Archive({{"from_map", 8}}));
    scratch.write("game/gfx/both.wad", Archive({{"from_game", 8}}));
    scratch.write("game/only.wad", Archive({{"game_only", 8}}));

    TextureArchives archives;
    EXPECT_TRUE(archives.load("gfx/both.wad;only.wad", {mapFolder, "", gameFolder}).messages.empty());
    EXPECT_EQ(archives.textureNames(), (std::vector<std::string>{"from_map", "game_only"}));
    EXPECT_EQ(archives.archives()[1].path, gameFolder + "/only.wad");
    EXPECT_EQ(archives.wadValue(), "gfx/both.wad;only.wad");

    const std::string absolute = scratch.write("elsewhere/abs.wad", Archive({{"abs", 8}}));
    archives.load(absolute, {mapFolder});
    EXPECT_EQ(archives.textureNames(), std::vector<std::string>{"abs"});
}

TEST(TextureArchives, SeveralArchivesListEverythingAndTheFirstThatHasANameWins)
{
    ScratchFolder scratch;
    scratch.write("a.wad", Archive({{"stone", 16}, {"SHARED", 32}}));
    scratch.write("b.wad", Archive({{"shared", 64}, {"wood", 8}}));
    std::string tooMany = "WAD2";
    tooMany.resize(12, '\0');
    PutU32(tooMany, 4, 3000);
    scratch.write("huge.wad", tooMany);
    scratch.write("bad.wad", "not an archive");

    TextureArchives archives;
    const ArchiveReport report = archives.load("a.wad;missing.wad;huge.wad;b.wad;bad.wad", {scratch.path().string()});
    EXPECT_EQ(report.messages, (std::vector<std::string>{"Could not load wad named missing.wad", "Wad has too many entries!",
                                                         "Could not load wad named huge.wad",
                                                         "Could not load wad named bad.wad"}));
    EXPECT_EQ(report.debugLines, (std::vector<std::string>(2, "Failed To Load wad from file\n")));
    EXPECT_EQ(archives.textureNames(), (std::vector<std::string>{"stone", "SHARED", "shared", "wood"}));
    TextureSizeSource& sizes = archives;
    EXPECT_EQ(sizes.textureSize("Shared").width, 32);
    EXPECT_EQ(sizes.textureSize("WOOD").height, 8);
    EXPECT_EQ(sizes.textureSize("nothing").width, 0);
    EXPECT_EQ(archives.readTexture("wood").width(), 8u);
    EXPECT_TRUE(archives.readTexture("nothing").isInvalid());

    FakeHost host;
    ShowArchiveReport(report, host);
    EXPECT_EQ(host.messages, report.messages);
    EXPECT_EQ(host.debugCount("Failed To Load wad from file\n"), 2);

    // A new value forgets the old archives, even when none of the new ones loads.
    EXPECT_EQ(archives.load("missing.wad", {scratch.path().string()}).messages.size(), 1u);
    EXPECT_FALSE(archives.isLoaded());
    // A file that is there but no archive to read says why.
    EXPECT_EQ(archives.load("/dev/zero", {}).messages, std::vector<std::string>{"Could not load wad named /dev/zero: not a regular file"});
    EXPECT_TRUE(archives.textureNames().empty());
    EXPECT_EQ(archives.textureSize("stone").width, 0);
}

// The bundled map names its archive beside it, and the archive has every texture the map uses.
TEST_F(EditorTest, TheSampleMapFindsEveryTextureItNames)
{
    ASSERT_TRUE(editor.openMap(VORN_RESOURCES_DIR "/maps/sample.map"));
    const TexturePanel& panel = editor.panel().textures();
    EXPECT_GE(panel.textureList().size(), 31u);
    EXPECT_GT(panel.archives().readPalette().count(), 0);
    std::set<std::string> used;
    for (int e = 0; e < map().EntityCount(); ++e) {
        if (!map().entity(e).isModifiable()) continue; // a point entity's box carries no texture
        for (const CQBrush& brush : map().entity(e).brushes()) {
            for (const CQFace& face : brush.faces()) used.insert(face.texture.str());
        }
    }
    EXPECT_GE(used.size(), 5u);
    for (const std::string& name : used) EXPECT_GT(editor.panel().textureSizes().textureSize(name).width, 0) << name;
}

TEST(Palette, DefaultPaletteIsSixteenRampsFromDarkToBright)
{
    const CQPalette palette = DefaultPalette();
    EXPECT_EQ(palette.count(), 256);
    for (const auto& [index, colour] : {std::pair{0, Rgb{0, 0, 0}}, {1, Rgb{15, 15, 15}}, {2, Rgb{31, 31, 31}}, {3, Rgb{47, 47, 47}},
                                        {254, Rgb{255, 255, 255}}, {255, Rgb{159, 91, 83}}}) {
        EXPECT_EQ(palette.colour(index), colour) << index;
    }
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
    EXPECT_EQ(std::pair(image.width, image.height), std::pair(2, 1));
    EXPECT_EQ(image.rgba, (std::vector<uint8_t>{10, 20, 30, 255, 10, 20, 30, 255})) << "both pixels colour 32 through the colour map";
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
