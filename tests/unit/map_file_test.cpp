#include "entities/entity_class.h"
#include "fakes.h"
#include "map/entity.h"
#include "map/map_file.h"

#include <gtest/gtest.h>

using namespace vorn;
using vorn::test::FakeHost;

namespace {

std::tm june7th1996()
{
    std::tm t{};
    t.tm_year = 96;
    t.tm_mon = 5;
    t.tm_mday = 7;
    t.tm_hour = 15;
    t.tm_min = 5;
    t.tm_wday = 5;
    return t;
}

struct Read {
    std::vector<std::unique_ptr<CQEntity>> entities;
    MapReadResult result;
};

Read readMap(std::string_view text, FakeHost& host)
{
    EntityClassList classes;
    classes.loadText("ENTTYPE: light ( 1 1 0 ) ( -8 -8 -8 ) ( 8 8 8 ) :END\n");
    Read read;
    read.result = ReadMap(text, classes, host, nullptr, read.entities);
    return read;
}

const char* kBrush = "{\n"
                     "( 0 0 64 ) ( 0 64 64 ) ( 64 64 64 ) WALL 0 0 0 1.000000 1.000000\n"
                     "( 0 0 0 ) ( 64 0 0 ) ( 64 64 0 ) WALL 0 0 0 1.000000 1.000000\n"
                     "( 0 0 0 ) ( 0 64 0 ) ( 0 64 64 ) WALL 0 0 0 1.000000 1.000000\n"
                     "( 64 0 0 ) ( 64 0 64 ) ( 64 64 64 ) WALL 0 0 0 1.000000 1.000000\n"
                     "( 0 0 0 ) ( 0 0 64 ) ( 64 0 64 ) WALL 0 0 0 1.000000 1.000000\n"
                     "( 0 64 0 ) ( 64 64 0 ) ( 64 64 64 ) WALL 0 0 0 1.000000 1.000000\n"
                     "}\n";

} // namespace

TEST(MapFile, ModifiedTimeIsWrittenInEnglish)
{
    EXPECT_EQ(FormatModifiedTime(june7th1996()), "Friday, June 07, 1996, 03:05 PM");
}

TEST(MapFile, WorldOnlyMapWithoutAuthorIsWrittenExactly)
{
    std::vector<std::unique_ptr<CQEntity>> entities;
    entities.push_back(std::make_unique<CQEntity>());
    entities.back()->SetValue("\"classname\"", "\"worldspawn\"");
    const MapHeader header{"/maps/a.map", "", "", june7th1996(), 1, 0};
    EXPECT_EQ(WriteMap(header, entities), "// Filename: /maps/a.map\n"
                                          "// Contents: Quake map file\n"
                                          "// Editor used: Vorn v1.5\n"
                                          "// Last modified: Friday, June 07, 1996, 03:05 PM\n"
                                          "// Map Contains: 1 Entities, 0 Brushes\n"
                                          "\n"
                                          "{\n"
                                          "\"classname\" \"worldspawn\"\n"
                                          "}\n");
}

TEST(MapFile, AuthorLinesNeedTheName)
{
    MapHeader header{"a.map", "", "me@example.org", june7th1996(), 0, 0};
    EXPECT_EQ(MapHeaderText(header).find("Author"), std::string::npos);
    header.authorName = "Ann";
    EXPECT_NE(MapHeaderText(header).find("\n// Author: Ann\n// Author's email: me@example.org\n// Map Contains"),
              std::string::npos);
    header.authorEmail.clear();
    EXPECT_NE(MapHeaderText(header).find("\n// Author: Ann\n// Map Contains"), std::string::npos);
}

TEST(MapFile, HeaderCommentIsSkippedAndEntitiesReadInOrder)
{
    FakeHost host;
    const std::string text = std::string("// Filename: x\n// Contents: Quake map file\n\n{\n\"classname\" \"worldspawn\"\n") +
                             kBrush + "}\n{\n\"classname\" \"light\"\n\"origin\" \"0 0 32\"\n}\n";
    const Read read = readMap(text, host);
    ASSERT_EQ(read.entities.size(), 2u);
    EXPECT_FALSE(read.result.damaged);
    EXPECT_TRUE(read.entities[0]->isWorld());
    EXPECT_FALSE(read.entities[1]->isModifiable());

    // The point entity's box is neither written nor counted.
    const MapHeader header{"x", "", "", june7th1996(), 2, 1};
    const std::string written = WriteMap(header, read.entities);
    EXPECT_NE(written.find("// Map Contains: 2 Entities, 1 Brushes\n"), std::string::npos);
    EXPECT_EQ(written.substr(written.find("\n\n") + 2), text.substr(text.find("\n\n") + 2));
}

TEST(MapFile, EmptyFirstBlockReadsAsAMapWithoutEntities)
{
    FakeHost host;
    const Read read = readMap("{\n}\n", host);
    EXPECT_TRUE(read.entities.empty());
    EXPECT_FALSE(read.result.damaged);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST(MapFile, ReadingStopsAtDamageAndKeepsWhatWasRead)
{
    FakeHost host;
    const std::string text = std::string("{\n\"classname\" \"worldspawn\"\n") + kBrush +
                             "}\n{\n\"classname\" \"light\"\n\"origin\" \"0 0 32\"\n}\n"
                             "{\n\"classname\" \"light\" junk\n}\n{\n\"classname\" \"light\"\n\"origin\" \"0 0 64\"\n}\n";
    const Read read = readMap(text, host);
    EXPECT_EQ(read.entities.size(), 2u);
    EXPECT_EQ(read.result.entitiesRead, 2);
    EXPECT_TRUE(read.result.damaged);
    EXPECT_EQ(read.result.stoppedAtLine, 17);
}

TEST(MapFile, EmptyBlockWithMoreAfterItIsDamage)
{
    FakeHost host;
    const Read read = readMap("{\n\"classname\" \"worldspawn\"\n}\n{\n}\n{\n\"classname\" \"light\"\n}\n", host);
    EXPECT_EQ(read.entities.size(), 1u);
    EXPECT_TRUE(read.result.damaged);
}

TEST(MapFile, JunkBeforeTheFirstBlockIsDamage)
{
    FakeHost host;
    const Read read = readMap("garbage {\n}\n", host);
    EXPECT_TRUE(read.entities.empty());
    EXPECT_TRUE(read.result.damaged);
}

TEST(MapFile, OverfullBrushKeepsFiftyFacesAndIsReported)
{
    FakeHost host;
    std::string text = "{\n\"classname\" \"worldspawn\"\n{\n";
    for (int i = 0; i < 49; ++i) text += "( 0 0 0 ) ( 1 0 0 ) ( 2 0 0 ) WALL 0 0 0 1 1\n"; // no plane
    for (const char* line : {"( 0 0 64 ) ( 0 64 64 ) ( 64 64 64 )", "( 0 0 0 ) ( 64 0 0 ) ( 64 64 0 )",
                             "( 0 0 0 ) ( 0 64 0 ) ( 0 64 64 )", "( 64 0 0 ) ( 64 0 64 ) ( 64 64 64 )",
                             "( 0 0 0 ) ( 0 0 64 ) ( 64 0 64 )", "( 0 64 0 ) ( 64 64 0 ) ( 64 64 64 )"}) {
        text += std::string(line) + " WALL 0 0 0 1 1\n";
    }
    text += "}\n}\n";
    const Read read = readMap(text, host);
    ASSERT_EQ(read.entities.size(), 1u);
    EXPECT_EQ(read.result.overfullBrushLines, std::vector<int>{3});
    EXPECT_FALSE(read.result.damaged);
}
