#include "box_text.h"
#include "brush_checks.h"
#include "entities/entity_class.h"
#include "fakes.h"
#include "map/entity.h"
#include "map/map_file.h"
#include "map/map_text.h"
#include "map/text_reader.h"
#include "platform/host.h"

#include <gtest/gtest.h>

using namespace vorn;
using vorn::test::FakeHost;

namespace {

const std::tm kJune7th1996 = [] {
    std::tm t{};
    t.tm_year = 96, t.tm_mon = 5, t.tm_mday = 7, t.tm_wday = 5, t.tm_hour = 15, t.tm_min = 5; // a Friday, 3:05 PM
    return t;
}();

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

} // namespace

TEST(MapFile, WorldOnlyMapIsWrittenExactlyAndAuthorLinesNeedTheName)
{
    std::vector<std::unique_ptr<CQEntity>> entities;
    entities.push_back(std::make_unique<CQEntity>());
    entities.back()->SetValue("\"classname\"", "\"worldspawn\"");
    const MapHeader header{"/maps/a.map", "", "", kJune7th1996, 1, 0};
    EXPECT_EQ(WriteMap(header, entities), "// Filename: /maps/a.map\n"
                                          "// Contents: Quake map file\n"
                                          "// Editor used: Vorn v1.5\n"
                                          "// Last modified: Friday, June 07, 1996, 03:05 PM\n"
                                          "// Map Contains: 1 Entities, 0 Brushes\n"
                                          "\n"
                                          "{\n"
                                          "\"classname\" \"worldspawn\"\n"
                                          "}\n");
    // The author lines need the name.
    MapHeader author{"a.map", "", "me@example.org", kJune7th1996, 0, 0};
    EXPECT_EQ(MapHeaderText(author).find("Author"), std::string::npos);
    author.authorName = "Ann";
    EXPECT_NE(MapHeaderText(author).find("\n// Author: Ann\n// Author's email: me@example.org\n// Map Contains"),
              std::string::npos);
    author.authorEmail.clear();
    EXPECT_NE(MapHeaderText(author).find("\n// Author: Ann\n// Map Contains"), std::string::npos);
}

TEST(MapFile, HeaderCommentIsSkippedAndEntitiesReadInOrder)
{
    FakeHost host;
    const std::string text = std::string("// Filename: x\n// Contents: Quake map file\n\n{\n\"classname\" \"worldspawn\"\n") +
                             test::kBoxBlock + "}\n{\n\"classname\" \"light\"\n\"origin\" \"0 0 32\"\n}\n";
    const Read read = readMap(text, host);
    ASSERT_EQ(read.entities.size(), 2u);
    EXPECT_FALSE(read.result.damaged);
    EXPECT_TRUE(read.entities[0]->isWorld());
    EXPECT_FALSE(read.entities[1]->isModifiable());

    // The point entity's box is neither written nor counted.
    const MapHeader header{"x", "", "", kJune7th1996, 2, 1};
    const std::string written = WriteMap(header, read.entities);
    EXPECT_NE(written.find("// Map Contains: 2 Entities, 1 Brushes\n"), std::string::npos);
    EXPECT_EQ(written.substr(written.find("\n\n") + 2), text.substr(text.find("\n\n") + 2));
}

TEST(MapFile, ReadingStopsAtDamageAndKeepsWhatWasRead)
{
    FakeHost host;
    const std::string text = std::string("{\n\"classname\" \"worldspawn\"\n") + test::kBoxBlock +
                             "}\n{\n\"classname\" \"light\"\n\"origin\" \"0 0 32\"\n}\n"
                             "{\n\"classname\" \"light\" junk\n}\n{\n\"classname\" \"light\"\n\"origin\" \"0 0 64\"\n}\n";
    const Read read = readMap(text, host);
    EXPECT_EQ(read.entities.size(), 2u);
    EXPECT_EQ(read.result.entitiesRead, 2);
    EXPECT_TRUE(read.result.damaged);
    EXPECT_EQ(read.result.stoppedAtLine, 17);

    // An empty block with more after it loses the rest too; so does junk before the first block.
    const Read emptyBlock = readMap("{\n\"classname\" \"worldspawn\"\n}\n{\n}\n{\n\"classname\" \"light\"\n}\n", host);
    EXPECT_EQ(emptyBlock.entities.size(), 1u);
    EXPECT_TRUE(emptyBlock.result.damaged);
    const Read junk = readMap("garbage {\n}\n", host);
    EXPECT_TRUE(junk.entities.empty());
    EXPECT_TRUE(junk.result.damaged);
    // An empty first block alone is a map without entities, not damage.
    const Read empty = readMap("{\n}\n", host);
    EXPECT_TRUE(empty.entities.empty());
    EXPECT_FALSE(empty.result.damaged);
}

// A number that is none ends the reading at its line, as other text that is not a map does: the
// entities before it stay. A brush of more than fifty faces is no damage.
TEST(MapFile, ANumberThatIsNoneDamagesTheMapAtItsLine)
{
    std::string big = "{\n\"classname\" \"worldspawn\"\n{\n";
    for (int i = 0; i < 53; ++i) big += "( 0 0 64 ) ( 0 64 64 ) ( 64 64 64 ) WALL 0 0 0 1 1\n";
    const std::string light = "}\n}\n{\n\"classname\" \"light\"\n\"origin\" \"0 0 32\"\n}\n";
    for (const char* number : {"nan", "1e400", "0x10"}) {
        FakeHost host;
        const Read read = readMap(big + light + "{\n\"classname\" \"func_wall\"\n{\n( 0 0 " + number +
                                      " ) ( 0 64 64 ) ( 64 64 64 ) WALL 0 0 0 1 1\n}\n}\n",
                                  host);
        EXPECT_EQ(read.entities.size(), 2u) << number;
        EXPECT_EQ(read.entities.front()->brush(0).numfaces(), 53);
        EXPECT_TRUE(read.result.damaged);
        EXPECT_EQ(read.result.stoppedAtLine, 66) << number;
    }
}

// A brush ends at the first "}" standing as a token of its own outside comments; a face that
// begins with anything but "(" damages the map at its line.
TEST(MapFile, ABrushEndsAtItsOwnClosingBraceAndNotAtOneInsideAComment)
{
    std::string box = test::kBoxBlock;
    box.insert(box.find('\n') + 1, "// an old } note {\n");
    box.replace(box.find("WALL"), 4, "a}b");
    FakeHost host;
    const Read read = readMap("{\n\"classname\" \"worldspawn\"\n" + box + box + "}\n", host);
    ASSERT_EQ(read.entities.size(), 1u);
    EXPECT_FALSE(read.result.damaged);
    ASSERT_EQ(read.entities[0]->brushCount(), 2);
    EXPECT_EQ(read.entities[0]->brush(1).CountFaces(), 6);
    EXPECT_EQ(read.entities[0]->brush(1).face(0).texture.view(), "a}b");

    std::string junk = test::kBoxBlock;
    junk.insert(junk.find('\n') + 1, "junk\n");
    const Read damaged = readMap("{\n\"classname\" \"worldspawn\"\n}\n{\n\"classname\" \"func_wall\"\n" + junk + "}\n", host);
    EXPECT_EQ(damaged.entities.size(), 1u);
    EXPECT_TRUE(damaged.result.damaged);
    EXPECT_EQ(damaged.result.stoppedAtLine, 7);
}

TEST(MapFile, BrushesThatDoNotBuildAreKeptAsReadAndWrittenBackUnchanged)
{
    FakeHost host;
    // Three faces enclose nothing; the block's own spacing and numbers are kept.
    const std::string open = "{\n( 0 0 0 ) ( 0 64 0 ) ( 64 64 0 )  FLOOR 0 0 0 1 1\n"
                             "( 0 0 0.5 ) ( 64 0 0 ) ( 64 0 64 ) FLOOR 0 0 0 1 1\n"
                             "( 0 0 0 ) ( 0 0 64 ) ( 0 64 64 ) FLOOR 0 0 0 1 1\n}";
    const std::string text = "{\n\"classname\" \"worldspawn\"\n" + std::string(test::kBoxBlock) + open +
                             "\n{\n}\n}\n";
    const Read read = readMap(text, host);
    ASSERT_EQ(read.entities.size(), 1u);
    const CQEntity& world = *read.entities[0];
    EXPECT_EQ(world.brushCount(), 1);
    EXPECT_EQ(read.result.unbuiltBrushLines, std::vector<int>{11});
    EXPECT_EQ(read.result.emptyBrushesDropped, 1) << "a block without faces holds nothing to keep";
    EXPECT_EQ(world.BrushCountForFile(), 2);

    std::string written;
    world.Serialize(written);
    EXPECT_EQ(written, "{\n\"classname\" \"worldspawn\"\n" + std::string(test::kBoxBlock) + open + "\n}\n");
    // And it stays that way over any number of saves.
    const Read again = readMap(written, host);
    std::string rewritten;
    again.entities[0]->Serialize(rewritten);
    EXPECT_EQ(rewritten, written);
    EXPECT_TRUE(host.messages.empty());
}

TEST(MapFile, FormatComesFromTheFaceLinesOrFromTheWorldWhenThereAreNone)
{
    FakeHost host;
    const std::string world = "{\n\"classname\" \"worldspawn\"\n\"mapversion\" \"220\"\n";
    EXPECT_EQ(readMap(world + test::kBoxBlock + "}\n", host).result.format, MapFormat::Standard);
    EXPECT_EQ(readMap(world + test::kBoxBlock + test::kValveBoxBlock + "}\n", host).result.format, MapFormat::Valve220);
    EXPECT_EQ(readMap(world + "}\n", host).result.format, MapFormat::Valve220);
    EXPECT_EQ(readMap("{\n\"classname\" \"worldspawn\"\n}\n", host).result.format, MapFormat::Standard);

    // Written in the format read: the standard box gets the axes of its projection, its scales as
    // they were written.
    const Read read = readMap(world + test::kBoxBlock + test::kValveBoxBlock + "}\n", host);
    const std::string written = WriteMap({"x", "", "", kJune7th1996, 1, 2, MapFormat::Valve220}, read.entities);
    EXPECT_NE(written.find("( 0 0 64 ) ( 0 64 64 ) ( 64 64 64 ) WALL [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 1.000000 1.000000\n"),
              std::string::npos);
    EXPECT_NE(written.find(test::kValveBoxBlock), std::string::npos);
}

// Brushes are built together on several threads; what their builds report still comes in the order
// of the file, with the messages of reading between them, as when each is read and built in turn.
TEST(MapFile, BrushesBuiltTogetherReportAsIfBuiltOneAfterAnother)
{
    std::string text = "{\n\"classname\" \"worldspawn\"\n";
    for (int i = 0; i < 1500; ++i) {
        // Every 97th box has a corner cut off a hair's breadth deep, which the face checks report as
        // short edges; every 89th lies beyond the sound range, which is counted once at the end.
        const Vec3 mins{i % 89 == 1 ? 20000.0f + i : 96.0f * (i % 40), 96.0f * (i / 40), 0};
        CQBrush box = test::Box(mins, mins + Vec3{64, 64, 64}, "W");
        if (i % 97 == 0) {
            const Vec3 corner = mins + Vec3{64, 64, 64};
            CQFace cut(corner - Vec3{0, 0, 0.05f}, corner - Vec3{0, 0.05f, 0}, corner - Vec3{0.05f, 0, 0}, "W");
            NullDebugOutput quiet;
            box.AddFace(cut, quiet);
        }
        AppendBrush(text, box, MapFormat::Standard);
    }
    text += "}\n{\n\"classname\" \"func_wall\"\n}\n";

    FakeHost together;
    const Read read = readMap(text, together);
    EXPECT_EQ(read.entities.size(), 2u);
    // 17 boxes of 24 corners beyond 18000 along x.
    ASSERT_FALSE(together.debug.empty());
    EXPECT_EQ(together.debug.back(), "CheckFace: BUGUS_RANGE: 408 coordinates beyond 18000\n");
    together.debug.pop_back();

    FakeHost inTurn;
    EntityClassList classes;
    TextCursor in(text);
    std::vector<std::unique_ptr<CQEntity>> entities;
    for (;;) {
        auto entity = std::make_unique<CQEntity>();
        entity->Read(in, classes, inTurn);
        if (entity->IsEmpty()) break;
        entities.push_back(std::move(entity));
    }
    EXPECT_GT(together.debug.size(), 16u);
    EXPECT_EQ(together.debug, inTurn.debug);
    EXPECT_EQ(together.messages, inTurn.messages);
    EXPECT_EQ(WriteMap({}, read.entities), WriteMap({}, entities));
}

