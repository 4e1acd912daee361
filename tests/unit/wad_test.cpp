#include "textures/wad.h"
#include "wad_fixtures.h"

#include <gtest/gtest.h>

#include <map>

using namespace vorn;
using namespace vorn::test;

namespace {

// An archive of `count` empty texture entries named t0, t1, ...
std::string ArchiveWithEntries(int count)
{
    WadWriter writer;
    for (int i = 0; i < count; ++i) writer.addLump(CQWad::kTextureType, "t" + std::to_string(i), "");
    return writer.bytes();
}

} // namespace

TEST(Wad, RealArchivesListAndReadEveryTexture)
{
    for (const auto& [file, entries] : {std::pair{"lq_dev.wad", 453}, std::pair{"lq_greek.wad", 98}}) {
        const auto path = kCorpus / "wads" / file;
        if (!std::filesystem::exists(path)) GTEST_SKIP() << "no corpus at " << kCorpus;
        SCOPED_TRACE(file);
        CQWad wad;
        ASSERT_EQ(wad.loadBytes(FileBytes(path)), WadStatus::Loaded);
        EXPECT_EQ(wad.count(), entries);
        const auto names = wad.textureNames();
        EXPECT_EQ(static_cast<int>(names.size()), entries);
        for (const std::string& name : names) {
            const CQTexture texture = wad.readTexture(name);
            ASSERT_FALSE(texture.isInvalid()) << name;
            EXPECT_GT(texture.width() * texture.height(), 0u) << name;
            EXPECT_EQ(texture.pixels().size(), size_t{texture.width()} * texture.height());
        }
        EXPECT_EQ(wad.readPalette().count(), 0);
    }
}

TEST(Wad, MalformedArchivesAreRefusedCleanly)
{
    const auto folder = kCorpus / "wads" / "malformed";
    if (!std::filesystem::exists(folder)) GTEST_SKIP() << "no corpus at " << kCorpus;
    const std::map<std::string, WadStatus> expected{
        {"bad_magic.wad", WadStatus::NotWad2},
        {"too_small.wad", WadStatus::TooShort},
        {"directory_out_of_bounds.wad", WadStatus::DirectoryOutsideFile},
        {"entry_count_too_large.wad", WadStatus::DirectoryOutsideFile},
        {"entry_out_of_bounds.wad", WadStatus::Loaded},
        {"skips_empty_entry_name.wad", WadStatus::Loaded},
    };
    int seen = 0;
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
        const std::string name = file.path().filename().string();
        SCOPED_TRACE(name);
        CQWad wad;
        const WadStatus status = wad.loadBytes(FileBytes(file.path()));
        ASSERT_TRUE(expected.contains(name)) << "a new malformed file: add what it should give";
        EXPECT_EQ(status, expected.at(name));
        EXPECT_EQ(wad.isLoaded(), status == WadStatus::Loaded);
        // Whatever loaded, no entry of these files is a readable texture.
        for (const std::string& texture : wad.textureNames()) {
            EXPECT_TRUE(wad.readTexture(texture).isInvalid());
            EXPECT_FALSE(wad.textureSize(*wad.find(texture)));
        }
        ++seen;
    }
    EXPECT_EQ(seen, 6);
    CQWad emptyName;
    emptyName.loadBytes(FileBytes(folder / "skips_empty_entry_name.wad"));
    EXPECT_EQ(emptyName.textureNames(), std::vector<std::string>{"real"});
}

TEST(Wad, EntryCountLimits)
{
    CQWad wad;
    EXPECT_EQ(wad.loadBytes(ArchiveWithEntries(2048)), WadStatus::Loaded);
    EXPECT_EQ(wad.count(), 2048);
    EXPECT_EQ(wad.entryName(2047), "t2047");
    EXPECT_EQ(wad.loadBytes(ArchiveWithEntries(2049)), WadStatus::TooManyEntries);
    EXPECT_FALSE(wad.isLoaded());
    EXPECT_EQ(wad.count(), 0);

    std::string bytes = ArchiveWithEntries(1);
    PutU32(bytes, 4, 0);
    EXPECT_EQ(wad.loadBytes(bytes), WadStatus::NoEntries);
    PutU32(bytes, 4, 0xffffffffu);
    EXPECT_EQ(wad.loadBytes(bytes), WadStatus::NegativeCount);
    PutU32(bytes, 4, 1);
    PutU32(bytes, 8, 0xfffffff0u); // offset + directory would wrap in 32 bits
    EXPECT_EQ(wad.loadBytes(bytes), WadStatus::DirectoryOutsideFile);
    EXPECT_EQ(wad.loadBytes("WAD2"), WadStatus::TooShort);
    EXPECT_EQ(wad.loadBytes("WAD3" + bytes.substr(4)), WadStatus::NotWad2);
}

TEST(Wad, NamesMatchIgnoringCaseTheFirstEntryWinsAndASecondLoadForgetsTheFirst)
{
    WadWriter writer;
    writer.addTexture("Brick", 8, 8, Solid(8, 8, 1));
    writer.addLump(CQWad::kPaletteType, "brick2", std::string(768, '\0'));
    writer.addTexture("BRICK", 16, 16, Solid(16, 16, 2));
    writer.addTexture("sixteen_chars_ab", 4, 4, Solid(4, 4, 3));
    CQWad wad;
    ASSERT_EQ(wad.loadBytes(writer.bytes()), WadStatus::Loaded);
    // Only textures are listed, in directory order, duplicates kept.
    EXPECT_EQ(wad.textureNames(), (std::vector<std::string>{"Brick", "BRICK", "sixteen_chars_ab"}));
    EXPECT_EQ(wad.readTexture("bRiCk").width(), 8u);
    EXPECT_EQ(wad.readTexture("bRiCk").name(), "Brick");
    EXPECT_TRUE(wad.readTexture("bric").isInvalid());
    // A full 16-character name has no NUL; longer look-ups compare their first 16 characters.
    EXPECT_EQ(wad.entryName(3), "sixteen_chars_ab");
    EXPECT_EQ(wad.readTexture("SIXTEEN_CHARS_ABCDEF").width(), 4u);

    // A second load forgets the first.
    WadWriter big;
    big.addLump(CQWad::kPaletteType, "palette", std::string(768, '\x7f'));
    big.addTexture("first", 8, 8, Solid(8, 8, 1));
    big.addTexture("shared", 8, 8, Solid(8, 8, 1));
    ASSERT_EQ(wad.loadBytes(big.bytes()), WadStatus::Loaded);
    EXPECT_EQ(wad.readPalette().colour(5), (Rgb{0x7f, 0x7f, 0x7f}));
    ASSERT_EQ(wad.loadBytes(Archive({{"shared", 4}})), WadStatus::Loaded);
    EXPECT_EQ(wad.count(), 1);
    EXPECT_TRUE(wad.readTexture("first").isInvalid());
    EXPECT_EQ(wad.readTexture("shared").width(), 4u);
    EXPECT_EQ(wad.readPalette().count(), 0);
    EXPECT_EQ(wad.loadBytes("broken"), WadStatus::TooShort);
    EXPECT_TRUE(wad.readTexture("shared").isInvalid());
}

TEST(Wad, TextureLumpsBeyondTheFileOrTooLargeReadAsInvalid)
{
    // Lumps start at 12; the lump's header is 40 bytes, its width at +16 and height at +20.
    const std::string good = Archive({{"tex", 4}});
    const auto withLump = [&](uint32_t width, uint32_t height) {
        std::string bytes = good;
        PutU32(bytes, 12 + 16, width);
        PutU32(bytes, 12 + 20, height);
        return bytes;
    };
    const auto readable = [](const std::string& bytes) {
        CQWad wad;
        EXPECT_EQ(wad.loadBytes(bytes), WadStatus::Loaded);
        const bool read = !wad.readTexture("tex").isInvalid();
        EXPECT_EQ(read, wad.textureSize(0).has_value());
        return read;
    };
    EXPECT_TRUE(readable(good));
    // The lump holds 16 + 4 + 1 pixels after its header; the directory follows.
    EXPECT_TRUE(readable(withLump(4, 6)));         // runs into the directory, but stays in the file
    EXPECT_FALSE(readable(withLump(4097, 0)));      // over the size limit, even with no pixels
    EXPECT_FALSE(readable(withLump(4096, 4096)));   // within the limit, past the end
    EXPECT_FALSE(readable(withLump(0x10000, 0x10000)));

    std::string farLump = good;
    const size_t directory = good.size() - 32;
    PutU32(farLump, directory, 0xfffffff0u);
    EXPECT_FALSE(readable(farLump));
    PutU32(farLump, directory, static_cast<uint32_t>(good.size() - 39)); // header one byte short
    EXPECT_FALSE(readable(farLump));

    CQWad wad;
    wad.loadBytes(withLump(4, 6));
    const CQTexture tall = wad.readTexture("tex");
    EXPECT_EQ(tall.pixels().size(), 24u);
    EXPECT_EQ(tall.mipOffsets()[0], 40u);
}

TEST(Wad, CompressedLumpsReadAsInvalidAndNamesPrintEscaped)
{
    WadWriter writer;
    writer.addLump(CQWad::kPaletteType, "palette", std::string(768, '\x7f'));
    writer.addTexture("packed", 4, 4, Solid(4, 4, 1));
    writer.addTexture("plain", 4, 4, Solid(4, 4, 1));
    std::string bytes = writer.bytes();
    const size_t directory = bytes.size() - 3 * 32;
    bytes[directory + 13] = 1;      // the palette's compression byte
    bytes[directory + 32 + 13] = 1; // the first texture's
    CQWad wad;
    ASSERT_EQ(wad.loadBytes(bytes), WadStatus::Loaded);
    EXPECT_EQ(wad.textureNames(), (std::vector<std::string>{"packed", "plain"})); // still listed
    EXPECT_TRUE(wad.readTexture("packed").isInvalid());
    EXPECT_FALSE(wad.textureSize(1).has_value());
    EXPECT_EQ(wad.textureSize(2)->width, 4u);
    EXPECT_EQ(wad.readPalette().count(), 0);

    EXPECT_EQ(PrintableName("+0btn\a\x1b[2J"), "+0btn\\x07\\x1b[2J");
    EXPECT_EQ(PrintableName("a\\b\x7f\xe9"), "a\\\\b\\x7f\\xe9");
}
