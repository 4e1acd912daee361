#include "document/map_document.h"
#include "document/map_problems.h"
#include "document/problem_fixes.h"
#include "entities/bundled_entity_list.h"
#include "brush_checks.h"
#include "entities/entity_class.h"
#include "fakes.h"
#include "platform/file_reading.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace vorn::test {
namespace {

// A box brush as a map file holds it, every face with the texture.
std::string BoxText(Vec3 mins, Vec3 maxs, std::string_view texture = "WALL") { return BrushText(Box(mins, maxs, texture)); }

const std::string kFloor = BoxText({-512, -512, -16}, {512, 512, 0});
const std::string kCeiling = BoxText({-512, -512, 256}, {512, 512, 272});
const std::string kWorld = "{\n\"classname\" \"worldspawn\"\n" + kFloor + kCeiling + "}\n";
const std::string kStart = "{\n\"classname\" \"info_player_start\"\n\"origin\" \"0 0 24\"\n}\n";

std::string EntitiesText(const CQMap& map)
{
    std::string text;
    for (int i = 0; i < map.EntityCount(); ++i) map.entity(i).Serialize(text);
    return text;
}

std::string PointEntity(const std::string& pairs)
{
    return "{\n" + pairs + "}\n";
}

class MapProblems : public ::testing::Test {
protected:
    MapProblems() { classes.loadText(BundledEntityList()); }

    std::vector<Problem> check(const std::string& text, const std::unordered_set<std::string>* textures = nullptr)
    {
        map.ReadMapText(text, classes, host, nullptr);
        return CheckMap(map.entities(), {classes, textures});
    }
    // "<id>: <message>" of each problem, as `vornc check` prints them.
    std::vector<std::string> lines(const std::string& text, const std::unordered_set<std::string>* textures = nullptr)
    {
        std::vector<std::string> out;
        for (const Problem& problem : check(text, textures)) out.push_back(std::string(ProblemId(problem.kind)) + ": " + problem.message);
        return out;
    }

    FakeHost host;
    EntityClassList classes;
    CQMap map;
};

TEST_F(MapProblems, ASealedRoomWithAStartHasNone)
{
    EXPECT_TRUE(check(kWorld + kStart).empty());
}

TEST_F(MapProblems, PlayerStartsAndTargets)
{
    EXPECT_EQ(lines(kWorld), std::vector<std::string>{"no-player-start: the map has no info_player_start: the player has nowhere to begin"});
    const std::string secondStart = "{\n\"classname\" \"info_player_start\"\n\"origin\" \"64 0 24\"\n}\n";
    EXPECT_EQ(lines(kWorld + kStart + secondStart),
              (std::vector<std::string>{
                  "several-player-starts: info_player_start at line 20 is one of 2 player starts in a single-player map; the game uses only one",
                  "several-player-starts: info_player_start at line 24 is one of 2 player starts in a single-player map; the game uses only one"}));
    const std::string deathmatch = PointEntity("\"classname\" \"info_player_deathmatch\"\n\"origin\" \"0 64 24\"\n");
    EXPECT_TRUE(check(kWorld + kStart + secondStart + deathmatch).empty());

    const std::string relay = PointEntity("\"classname\" \"trigger_relay\"\n\"origin\" \"0 0 64\"\n\"targetname\" \"t1\"\n\"killtarget\" \"gone\"\n");
    EXPECT_EQ(lines(kWorld + kStart + relay),
              (std::vector<std::string>{"target-missing: trigger_relay \"t1\" has \"killtarget\" \"gone\", which no entity has as its \"targetname\"",
                                        "targetname-unused: trigger_relay \"t1\" is not the target of any entity"}));
    const std::vector<Problem> found = check(kWorld + kStart + relay);
    EXPECT_EQ(CountProblems(found), 1); // the unused name only informs
    EXPECT_EQ(found[0].entity, 2);
}

TEST_F(MapProblems, ClassesAndPlaces)
{
    const std::string door = "{\n\"classname\" \"func_door\"\n}\n";
    const std::string namedCounter = "{\n\"classname\" \"trigger_counter\"\n\"targetname\" \"c\"\n}\n";
    const std::string lightWithBrush = "{\n\"classname\" \"light\"\n" + BoxText({0, 0, 32}, {16, 16, 48}) + "}\n";
    const std::string unknown = PointEntity("\"classname\" \"monster_nothing\"\n\"origin\" \"0 0 32\"\n");
    const std::string stuck = PointEntity("\"classname\" \"item_health\"\n\"origin\" \"0 0 -8\"\n");
    const std::string resting = PointEntity("\"classname\" \"item_armor1\"\n\"origin\" \"0 0 0\"\n");
    const std::string lost = PointEntity("\"classname\" \"monster_ogre\"\n\"origin\" \"2000 0 24\"\n");
    const std::string far = PointEntity("\"classname\" \"info_null\"\n\"origin\" \"0 70000 24\"\n");
    const std::vector<Problem> found = check(kWorld + kStart + door + namedCounter + lightWithBrush + unknown + stuck + resting + lost + far);
    std::vector<std::pair<std::string, int>> entityOf;
    for (const Problem& problem : found) entityOf.emplace_back(ProblemId(problem.kind), problem.entity);
    EXPECT_EQ(entityOf, (std::vector<std::pair<std::string, int>>{{"targetname-unused", 3}, // the counter: not empty, it has a name
                                                                  {"empty-brush-entity", 2},
                                                                  {"point-entity-with-brushes", 4},
                                                                  {"unknown-class", 5},
                                                                  {"entity-stuck", 6},
                                                                  {"entity-in-void", 8},
                                                                  {"entity-in-void", 9},
                                                                  {"beyond-limits", 9}}));
    const auto fixOf = [&](ProblemKind kind) { return std::ranges::find(found, kind, &Problem::kind)->fix; };
    EXPECT_EQ(fixOf(ProblemKind::EmptyBrushEntity), ProblemFix::RemoveEntity);
    EXPECT_EQ(fixOf(ProblemKind::PointEntityWithBrushes), ProblemFix::None);
    EXPECT_EQ(std::ranges::find(found, ProblemKind::EntityStuck, &Problem::kind)->message,
              "item_health at line 46 at (0 0 -8) is stuck in the world brush at (0 0 -8)");
}

TEST_F(MapProblems, Brushes)
{
    const std::string unbuilt = "{\n( 0 0 0 ) ( 1 0 0 ) ( 0 1 0 ) WALL 0 0 0 1 1\n( 0 0 8 ) ( 0 1 8 ) ( 1 0 8 ) WALL 0 0 0 1 1\n}\n";
    const std::string pillar = BoxText({0, 0, 0}, {32, 32, 128}, "wall");
    const std::string odd = BoxText({64, 0, 0}, {96, 32, 128}, "ODD");
    const std::string remote = BoxText({0, 0, 70000}, {16, 16, 70016});
    const std::string world = "{\n\"classname\" \"worldspawn\"\n" + kFloor + kCeiling + pillar + unbuilt + pillar + odd + remote + "}\n";
    const std::unordered_set<std::string> textures = LowerCaseNames({"WALL"});
    EXPECT_EQ(lines(world + kStart, &textures),
              (std::vector<std::string>{"unbuilt-brush: the brush at line 27 of the world is not a solid; it is kept as it was read",
                                        "duplicate-brush: brush 4 of the world at (16 16 64) has the same planes as brush 3 of the world at (16 16 64)",
                                        "missing-texture: brush 5 of the world at (80 16 64) uses \"ODD\", which no archive of the map holds",
                                        "beyond-limits: brush 6 of the world at (8 8 70008) reaches beyond 65536 units from the origin"}));
    const std::vector<Problem> found = check(world + kStart, &textures);
    EXPECT_EQ(found[1].brush, map.entity(0).brush(3).id());
    EXPECT_EQ(found[1].fix, ProblemFix::RemoveBrush);
    EXPECT_EQ(CountProblems(check(world + kStart)), 3); // without archives textures are not checked
}

TEST_F(MapProblems, ValuesOutsideTheirChoices)
{
    const ScratchFolder folder;
    const std::string fgd = folder.write("mod.fgd", "@PointClass size(-8 -8 -8, 8 8 8) = light [\n"
                                                    "  style(choices) : \"Style\" : 0 = [ 0 : \"Normal\" 1 : \"Flicker\" ]\n]\n");
    ASSERT_EQ(classes.loadList(fgd, host).filesRead, 1);
    const auto light = [](const std::string& style) {
        return PointEntity("\"classname\" \"light\"\n\"origin\" \"0 0 64\"\n\"style\" \"" + style + "\"\n");
    };
    EXPECT_EQ(lines(kWorld + light("1.0") + light("") + light("7")),
              (std::vector<std::string>{"no-player-start: the map has no info_player_start: the player has nowhere to begin",
                                        "value-not-a-choice: light at line 30 has \"style\" \"7\", which is not one of its choices"}));
}

// The fixes make one step that Undo takes back to the very text the map had.
TEST_F(MapProblems, FixesAreOneStepThatUndoTakesBackWhole)
{
    const ScratchFolder folder;
    const std::string fgd = folder.write("mod.fgd", "@SolidClass = worldspawn []\n@SolidClass = func_door []\n"
                                                    "@PointClass size(-16 -16 -24, 16 16 32) = info_player_start []\n"
                                                    "@PointClass size(-8 -8 -8, 8 8 8) = light [\n"
                                                    "  style(choices) : \"Style\" : 0 = [ 0 : \"Normal\" 1 : \"Flicker\" ]\n]\n");
    ASSERT_EQ(classes.loadList(fgd, host).filesRead, 1);
    const std::string pillar = BoxText({0, 0, 0}, {32, 32, 128});
    const std::string world = "{\n\"classname\" \"worldspawn\"\n" + kFloor + kCeiling + pillar + pillar + pillar + "}\n";
    const std::string door = "{\n\"classname\" \"func_door\"\n}\n";
    const std::string light = PointEntity("\"classname\" \"light\"\n\"style\" \"9\"\n\"origin\" \"64 0 64\"\n\"light\" \"200\"\n");
    const std::vector<Problem> found = check(world + kStart + door + light + door);
    ASSERT_EQ(found.size(), 5u);
    const std::string before = EntitiesText(map);

    EXPECT_EQ(FixProblems(map, found), 5);
    EXPECT_TRUE(CheckMap(map.entities(), {classes}).empty());
    EXPECT_EQ(map.EntityCount(), 3);
    EXPECT_EQ(map.entity(0).brushCount(), 3);
    EXPECT_EQ(map.entity(2).pairs(), (std::vector<CQKeyValue>{{"\"classname\"", "\"light\""},
                                                             {"\"origin\"", "\"64 0 64\""},
                                                             {"\"light\"", "\"200\""}}));
    EXPECT_EQ(map.undoName(), "Fix Problems");
    map.Undo();
    EXPECT_EQ(EntitiesText(map), before);
}

std::vector<std::filesystem::path> CorpusMapFiles()
{
    std::vector<std::filesystem::path> maps;
    for (const char* folder : {"maps", "maps/valve220"}) {
        const std::filesystem::path dir = std::filesystem::path(VORN_CORPUS_DIR) / folder;
        if (!std::filesystem::is_directory(dir)) continue;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            if (entry.path().extension() == ".map") maps.push_back(entry.path());
        }
    }
    return maps;
}

// What the check finds in real maps with the bundled entity list, kind by kind. Looked at by
// hand: lights inside pillars, lights below the world, duplicated brushes, entity classes of
// newer mods, a relay targeting a name no entity has.
TEST_F(MapProblems, CorpusMapsFindWhatTheyHold)
{
    const std::map<std::string, std::string> expected{
        {"dm1.map", ""},
        {"dm3.map", ""},
        {"e1m1.map", ""},
        {"e1m2.map", "targetname-unused 2, entity-stuck 7"},
        {"e2m1.map", "targetname-unused 2, entity-stuck 4, duplicate-brush 6"},
        {"e3m5.map", "targetname-unused 1, entity-stuck 24, duplicate-brush 4"},
        {"e4m1.map", "targetname-unused 2, duplicate-brush 1"},
        {"end.map", "entity-stuck 6, duplicate-brush 1"},
        {"lq_old_start.map", "unknown-class 25, duplicate-brush 1"},
        {"quakeutil_standard.map", "unknown-class 13, entity-stuck 1"},
        {"start.map", "entity-stuck 2, duplicate-brush 1"},
        {"b_bh10.map", "no-player-start 1, unknown-class 1"},
        {"lq_e0m2.map", "unknown-class 88, duplicate-brush 4"},
        {"lq_e1m1.map", "target-missing 1, targetname-unused 9, unknown-class 359, entity-stuck 7"},
        {"lqdm3.map", "unknown-class 241"},
        {"lqdm7.map", "unknown-class 127, entity-in-void 5, duplicate-brush 1"},
        {"slope.map", "unknown-class 1, duplicate-brush 1"},
        {"valve220/start.map", "unknown-class 18"},
    };
    const auto maps = CorpusMapFiles();
    if (maps.empty()) GTEST_SKIP() << "no corpus at " << VORN_CORPUS_DIR;
    for (const auto& path : maps) {
        const std::string folder = path.parent_path().filename().string();
        const std::string name = (folder == "valve220" && path.filename() == "start.map" ? "valve220/" : "") + path.filename().string();
        SCOPED_TRACE(name);
        const FileContents file = ReadWholeFile(path.string());
        ASSERT_TRUE(file.bytes);
        std::string summary;
        std::optional<ProblemKind> last;
        int count = 0;
        const auto flush = [&] {
            if (last) summary += (summary.empty() ? "" : ", ") + std::string(ProblemId(*last)) + " " + std::to_string(count);
        };
        for (const Problem& problem : check(*file.bytes)) {
            if (problem.kind != last) {
                flush();
                last = problem.kind;
                count = 0;
            }
            ++count;
        }
        flush();
        EXPECT_EQ(summary, expected.at(name));
    }
}

} // namespace
} // namespace vorn::test
