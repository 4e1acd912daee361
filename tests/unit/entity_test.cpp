#include "entities/entity_class.h"
#include "fakes.h"
#include "map/entity.h"
#include "map/text_reader.h"

#include <gtest/gtest.h>

using namespace vorn;
using vorn::test::FakeHost;

namespace {

EntityClassList lightCatalogue()
{
    EntityClassList classes;
    classes.loadText("ENTTYPE: light ( 1 1 0 ) ( -8 -8 -8 ) ( 8 8 8 ) COMMENT: a lamp :END\n"
                     "ENTTYPE: func_door ( 0 .5 .8 ) ? START_OPEN :END\n");
    return classes;
}

CQEntity readEntity(std::string_view text, FakeHost& host, EntityReadResult* result = nullptr)
{
    const EntityClassList classes = lightCatalogue();
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

const char* kBox = "{\n"
                   "( 0 0 64 ) ( 0 64 64 ) ( 64 64 64 ) WALL 0 0 0 1.000000 1.000000\n"
                   "( 0 0 0 ) ( 64 0 0 ) ( 64 64 0 ) WALL 0 0 0 1.000000 1.000000\n"
                   "( 0 0 0 ) ( 0 64 0 ) ( 0 64 64 ) WALL 0 0 0 1.000000 1.000000\n"
                   "( 64 0 0 ) ( 64 0 64 ) ( 64 64 64 ) WALL 0 0 0 1.000000 1.000000\n"
                   "( 0 0 0 ) ( 0 0 64 ) ( 64 0 64 ) WALL 0 0 0 1.000000 1.000000\n"
                   "( 0 64 0 ) ( 64 64 0 ) ( 64 64 64 ) WALL 0 0 0 1.000000 1.000000\n"
                   "}\n";

CQBrush box(Vec3 mins, Vec3 maxs, FakeHost& host)
{
    CQBrush b;
    b.MakeBox(mins, maxs, "WALL", host);
    return b;
}

} // namespace

TEST(Entity, PointEntityGetsItsClassBoxAndWritesOnlyItsPairs)
{
    FakeHost host;
    const CQEntity light = readEntity("{\n\"classname\" \"light\"\n\"origin\" \"16 32 48\"\n}\n", host);
    EXPECT_FALSE(light.isModifiable());
    ASSERT_EQ(light.brushCount(), 1);
    const CQBrush& b = light.brushes()[0];
    EXPECT_EQ(b.mins(), (Vec3{8, 24, 40}));
    EXPECT_EQ(b.maxs(), (Vec3{24, 40, 56}));
    EXPECT_FALSE(b.IsSelected());
    EXPECT_EQ(b.face(0).texture, "*NONE*");
    EXPECT_EQ(light.BrushCountForFile(), 0);
    EXPECT_EQ(written(light), "{\n\"classname\" \"light\"\n\"origin\" \"16 32 48\"\n}\n");
    EXPECT_TRUE(host.messages.empty());
}

TEST(Entity, RepeatedKeyKeepsTheLastValueAtItsPosition)
{
    FakeHost host;
    const CQEntity e =
        readEntity("{ \"classname\" \"info_null\" \"a\" \"1\" \"b\" \"2\" \"a\" \"3\" \"c\" \"4\" \"origin\" \"0 0 0\" }\n", host);
    ASSERT_EQ(e.pairs().size(), 5u);
    EXPECT_EQ(e.pairs()[2], (CQKeyValue{"\"a\"", "\"3\""}));
    EXPECT_EQ(e.GetValue("\"a\""), "\"3\"");
    EXPECT_EQ(e.GetValue("a"), ""); // keys compare with their quotes
}

TEST(Entity, WorldWithBrushesIsModifiableAndWrittenWhole)
{
    FakeHost host;
    const std::string text = std::string("{\n\"classname\" \"worldspawn\"\n") + kBox + kBox + "}\n";
    const CQEntity world = readEntity(text, host);
    EXPECT_TRUE(world.isWorld());
    EXPECT_TRUE(world.isModifiable());
    EXPECT_EQ(world.brushCount(), 2);
    EXPECT_EQ(world.selectedCount(), 0);
    EXPECT_EQ(world.mins(), (Vec3{0, 0, 0}));
    EXPECT_EQ(written(world), text);
    for (const CQBrush& b : world.brushes()) EXPECT_EQ(b.owner(), &world);
}

TEST(Entity, PointClassBlockWithBrushesKeepsThem)
{
    FakeHost host;
    const std::string text = std::string("{\n\"classname\" \"light\"\n") + kBox + "}\n";
    const CQEntity e = readEntity(text, host);
    EXPECT_TRUE(e.isModifiable());
    ASSERT_EQ(e.brushCount(), 1);
    EXPECT_EQ(e.brushes()[0].maxs(), (Vec3{64, 64, 64}));
    EXPECT_EQ(written(e), text);
}

TEST(Entity, InvalidBrushesAreDroppedOnRead)
{
    FakeHost host;
    const CQEntity e = readEntity(std::string("{ \"classname\" \"func_wall\" { } ") + kBox + "}\n", host);
    EXPECT_EQ(e.brushCount(), 1);
}

TEST(Entity, OriginIsTheMeanOfBrushCentresOrTheStoredValue)
{
    FakeHost host;
    CQEntity e;
    e.AddBrush(box({0, 0, 0}, {64, 64, 64}, host));
    e.AddBrush(box({64, 0, 0}, {128, 64, 64}, host));
    EXPECT_EQ(e.GetOrigin(), (Vec3{64, 32, 32}));

    CQEntity point;
    point.SetValue("\"origin\"", "\"1.5 -2 3\"");
    EXPECT_EQ(point.GetOrigin(), (Vec3{1.5f, -2, 3}));
    point.SetValue("\"origin\"", "\"7\"");
    EXPECT_EQ(point.GetOrigin(), (Vec3{7, 0, 0}));
}

TEST(Entity, EntityWithoutBrushOrOriginIsPlacedAtTheOriginWithOneMessage)
{
    FakeHost host;
    const CQEntity light = readEntity("{ \"classname\" \"light\" }\n", host);
    EXPECT_EQ(host.messages, std::vector<std::string>{"ERROR: entity has no brush or origin\nWill place it at 0,0,0"});
    EXPECT_EQ(light.brushes()[0].mins(), (Vec3{-8, -8, -8}));
}

TEST(Entity, DroppedKeyTakesTheNextCharacterAndJunkDiscardsTheBlock)
{
    FakeHost host;
    EntityReadResult result;
    const CQEntity e = readEntity("{ \"classname\" \"light\" \"target\" 12 }\n", host, &result);
    EXPECT_TRUE(e.IsEmpty());
    EXPECT_EQ(result.status, EntityReadResult::Discarded);
    EXPECT_EQ(host.messages.size(), 1u);
}

TEST(Entity, EndOfFileAndJunkBeforeABlockAreTold)
{
    FakeHost host;
    EntityReadResult result;
    readEntity("  // only a comment\n", host, &result);
    EXPECT_EQ(result.status, EntityReadResult::EndOfFile);
    readEntity("junk", host, &result);
    EXPECT_EQ(result.status, EntityReadResult::NoBlock);
    readEntity("{ \"classname\" \"light\" ", host, &result);
    EXPECT_EQ(result.status, EntityReadResult::Discarded);
    EXPECT_TRUE(host.messages.size() == 1); // only the discarded block lost its origin
}

TEST(Entity, MovingTheSelectionMovesOriginAsWholeNumbersToTheEnd)
{
    FakeHost host;
    CQEntity e = readEntity("{ \"classname\" \"light\" \"origin\" \"16 32 48\" \"light\" \"200\" }\n", host);
    e.SelectAllBrushes();
    e.MoveSelected({48.7f, -64, -48}, host);
    EXPECT_EQ(e.pairs().back(), (CQKeyValue{"\"origin\"", "\"64 -32 0\""}));
    EXPECT_EQ(e.brushes()[0].mins(), (Vec3{56.7f, -40, -8}));
}

TEST(Entity, LightValueDefaultsOnlyWhenALightKeyExists)
{
    CQEntity e;
    EXPECT_EQ(e.GetLightValue(), "");
    e.SetValue("\"light_extra\"", "\"1\"");
    EXPECT_EQ(e.GetLightValue(), "300");
    e.SetValue("\"light\"", "\"150\"");
    EXPECT_EQ(e.GetLightValue(), "\"150\"");
}

TEST(Entity, SetValueMovesTheKeyToTheEnd)
{
    CQEntity e;
    EXPECT_FALSE(e.SetValue("\"a\"", "\"1\""));
    EXPECT_FALSE(e.SetValue("\"b\"", "\"2\""));
    EXPECT_TRUE(e.SetValue("\"a\"", "\"3\""));
    EXPECT_EQ(e.pairs().front().key, "\"b\"");
    EXPECT_EQ(e.pairs().back(), (CQKeyValue{"\"a\"", "\"3\""}));
}

TEST(Entity, PickTogglesTheNearestBrushOnTheSegment)
{
    FakeHost host;
    CQEntity e;
    e.AddBrush(box({0, 0, 0}, {64, 64, 64}, host));
    e.AddBrush(box({0, 0, 100}, {64, 64, 164}, host));
    e.DeselectAllBrushes();
    const CQBrush* hit = e.PickBrush({32, 32, 4096}, {32, 32, -4096}, host);
    ASSERT_EQ(hit, &e.brushes()[1]);
    EXPECT_TRUE(hit->IsSelected());
    EXPECT_EQ(e.PickBrush({32, 32, 4096}, {32, 32, -4096}, host), hit);
    EXPECT_FALSE(hit->IsSelected());
    EXPECT_EQ(e.PickBrush({500, 32, 4096}, {500, 32, -4096}, host), nullptr);
    // A point inside a brush counts as a hit at distance 0.
    EXPECT_EQ(e.PickBrush({32, 32, 10}, {32, 32, 10}, host), &e.brushes()[0]);
}

TEST(Entity, PasteCentresTheGroupOnTheTargetAndKeepsHeights)
{
    FakeHost host;
    const std::vector<CQBrush> clipboard{box({0, 0, 0}, {64, 64, 64}, host), box({64, 0, 32}, {128, 64, 96}, host)};
    CQEntity e;
    ASSERT_TRUE(e.PasteBrushes(clipboard, {{500, 300, 0}, false, 16}, host));
    ASSERT_EQ(e.brushCount(), 2);
    EXPECT_EQ(e.brushes()[0].mins(), (Vec3{436, 268, 0}));
    EXPECT_EQ(e.brushes()[1].mins(), (Vec3{500, 268, 32}));
    EXPECT_EQ(e.selectedCount(), 2);

    CQEntity snapped;
    snapped.PasteBrushes(clipboard, {{505, 300, 0}, true, 16}, host);
    EXPECT_EQ(snapped.brushes()[0].mins().x, 448); // the corner lands on the grid
    EXPECT_EQ(snapped.brushes()[0].mins().y, 272);
}

TEST(Entity, PasteIntoPointEntityIsRefused)
{
    FakeHost host;
    CQEntity light = readEntity("{ \"classname\" \"light\" \"origin\" \"0 0 0\" }\n", host);
    EXPECT_FALSE(light.PasteBrushes(std::vector<CQBrush>{box({0, 0, 0}, {8, 8, 8}, host)}, {}, host));
    EXPECT_EQ(host.messages, std::vector<std::string>{"Can't paste into unmodifiable entity!"});
    EXPECT_EQ(light.brushCount(), 1);
}

TEST(Entity, CopiesOwnTheirBrushes)
{
    FakeHost host;
    CQEntity e;
    e.AddBrush(box({0, 0, 0}, {64, 64, 64}, host));
    const CQEntity copy = e;
    EXPECT_EQ(copy.brushes()[0].owner(), &copy);
    CQEntity moved = std::move(e);
    EXPECT_EQ(moved.brushes()[0].owner(), &moved);
}
