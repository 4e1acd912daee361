#include "box_text.h"
#include "brush_checks.h"
#include "document/clipboard.h"
#include "entities/entity_class.h"
#include "fakes.h"
#include "map/entity.h"
#include "map/text_reader.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::test;

namespace {

CQEntity readEntity(std::string_view text, FakeHost& host, EntityReadResult* result = nullptr)
{
    EntityClassList classes;
    classes.loadText("ENTTYPE: light ( 1 1 0 ) ( -8 -8 -8 ) ( 8 8 8 ) COMMENT: a lamp :END\n");
    TextCursor in(text);
    CQEntity entity;
    const EntityReadResult read = entity.Read(in, classes, host);
    if (result) *result = read;
    return entity;
}

std::string written(const CQEntity& e)
{
    std::string out;
    e.Serialize(out);
    return out;
}

} // namespace

TEST(Entity, APointEntityGetsItsClassBoxAndWritesOnlyItsPairsButBlocksWithBrushesKeepThem)
{
    FakeHost host;
    const CQEntity light = readEntity("{\n\"classname\" \"light\"\n\"origin\" \"16 32 48\"\n}\n", host);
    EXPECT_FALSE(light.isModifiable());
    ASSERT_EQ(light.brushCount(), 1);
    const CQBrush& b = light.brushes()[0];
    EXPECT_TRUE(b.mins() == (Vec3{8, 24, 40}) && b.maxs() == (Vec3{24, 40, 56}));
    EXPECT_EQ(b.face(0).texture, "*NONE*");
    EXPECT_EQ(light.BrushCountForFile(), 0);
    EXPECT_EQ(written(light), "{\n\"classname\" \"light\"\n\"origin\" \"16 32 48\"\n}\n");

    // The world, and a point class block that brings brushes, keep them and are written whole.
    const std::string text = std::string("{\n\"classname\" \"worldspawn\"\n") + test::kBoxBlock + test::kBoxBlock + "}\n";
    const CQEntity world = readEntity(text, host);
    EXPECT_TRUE(world.isWorld());
    EXPECT_EQ(written(world), text);

    // A class with a fixed box keeps the brushes its block brings, or the next save would lose them.
    const std::string lamp = std::string("{\n\"classname\" \"light\"\n") + test::kBoxBlock + "}\n";
    EXPECT_EQ(written(readEntity(lamp, host)), lamp);
    EXPECT_EQ(readEntity(std::string("{ \"classname\" \"func_wall\" { } ") + test::kBoxBlock + "}\n", host).brushCount(), 1);
    EXPECT_TRUE(host.messages.empty());
}

TEST(Entity, ALaterValueOfAKeyReplacesTheEarlierAndMovesItToTheEndAndLightsDefaultTo300)
{
    FakeHost host;
    const CQEntity e =
        readEntity("{ \"classname\" \"info_null\" \"a\" \"1\" \"b\" \"2\" \"a\" \"3\" \"c\" \"4\" \"origin\" \"0 0 0\" }\n", host);
    ASSERT_EQ(e.pairs().size(), 5u);
    EXPECT_EQ(e.pairs()[2], (CQKeyValue{"\"a\"", "\"3\""}));
    EXPECT_EQ(e.GetValue("\"a\""), "\"3\"");
    EXPECT_EQ(e.GetValue("a"), ""); // keys compare with their quotes

    // The light value defaults only when some key starting with "light" exists.
    CQEntity lamp;
    EXPECT_EQ(lamp.GetLightValue(), "");
    lamp.SetValue("\"light_extra\"", "\"1\"");
    EXPECT_EQ(lamp.GetLightValue(), "300");
    lamp.SetValue("\"light\"", "\"150\"");
    EXPECT_EQ(lamp.GetLightValue(), "\"150\"");
}

TEST(Entity, ReadTellsEndOfFileJunkAndDiscardedBlocksAndPlacesBlocksWithoutOrigin)
{
    FakeHost host;
    EntityReadResult result;
    readEntity("  // only a comment\n", host, &result);
    EXPECT_EQ(result.status, EntityReadResult::EndOfFile);
    readEntity("junk", host, &result);
    EXPECT_EQ(result.status, EntityReadResult::NoBlock);
    for (const char* damaged : {"{ \"classname\" \"light\" \"target\" 12 }\n", "{ \"classname\" \"light\" "}) {
        EXPECT_TRUE(readEntity(damaged, host, &result).IsEmpty()) << damaged;
        EXPECT_EQ(result.status, EntityReadResult::Discarded) << damaged;
    }
    EXPECT_TRUE(result.placedAtOrigin); // the discarded block had no origin

    const CQEntity light = readEntity("{ \"classname\" \"light\" }\n", host, &result);
    EXPECT_TRUE(result.placedAtOrigin);
    EXPECT_EQ(light.brushes()[0].mins(), (Vec3{-8, -8, -8}));
    readEntity("{ \"classname\" \"light\" \"origin\" \"0 0 0\" }\n", host, &result);
    EXPECT_FALSE(result.placedAtOrigin);
    EXPECT_TRUE(host.messages.empty()) << "the reader only reports";
}

TEST(Entity, OriginIsTheMeanOfBrushCentresOrTheStoredValueAndASegmentMeetsTheNearestBrush)
{
    FakeHost host;
    CQEntity e;
    e.AddBrush(Box({0, 0, 0}, {64, 64, 64}));
    e.AddBrush(Box({64, 0, 0}, {128, 64, 64}));
    EXPECT_EQ(e.GetOrigin(), (Vec3{64, 32, 32}));
    CQEntity point;
    point.SetValue("\"origin\"", "\"1.5 -2 3\"");
    EXPECT_EQ(point.GetOrigin(), (Vec3{1.5f, -2, 3}));
    point.SetValue("\"origin\"", "\"7\"");
    EXPECT_EQ(point.GetOrigin(), (Vec3{7, 0, 0}));

    // A segment meets the nearest brush from its start.
    e.AddBrush(Box({0, 0, 100}, {64, 64, 164}));
    EXPECT_EQ(e.NearestBrushOnSegment({32, 32, 4096}, {32, 32, -4096}, host), 2);
    EXPECT_EQ(e.NearestBrushOnSegment({32, 32, -4096}, {32, 32, 4096}, host), 0);
    EXPECT_EQ(e.NearestBrushOnSegment({500, 32, 4096}, {500, 32, -4096}, host), -1);
    // A point inside a brush counts as a hit at distance 0.
    EXPECT_EQ(e.NearestBrushOnSegment({32, 32, 10}, {32, 32, 10}, host), 0);
}

TEST(Entity, PastedCopiesAreCentredOnTheTargetEachSnappedOnItsOwn)
{
    FakeHost host;
    const std::vector<CQBrush> clipboard{Box({0, 0, 0}, {64, 64, 64}), Box({64, 0, 32}, {120, 64, 96})};
    const std::vector<CQBrush> placed = PlacedCopies(clipboard, {{505, 300, 0}, true, 16});
    ASSERT_EQ(placed.size(), 2u);
    // Centred on the origin (corners -62 and 2), each moves by snap(target - its corner) + its corner.
    EXPECT_EQ(placed[0].mins(), (Vec3{436, 272, 0}));
    EXPECT_EQ(placed[1].mins(), (Vec3{500, 272, 32}));
    // The group's centre is the mean of the brushes' centres, (62, 32, 48).
    EXPECT_EQ(PlacedCopies(clipboard, {{505, 300, 0}, false, 16})[0].mins(), (Vec3{505 - 62, 300 - 32, 0}));
}
