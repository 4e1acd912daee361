#include "entities/def_reader.h"
#include "entities/entity_class.h"
#include "entities/fgd_reader.h"
#include "map/ignoring_case.h"
#include "fakes.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace vorn;
using namespace vorn::test;

namespace {

const std::filesystem::path kEntities = std::filesystem::path(VORN_CORPUS_DIR) / "entities";

std::string corpusText(const std::string& name)
{
    std::ifstream file(kEntities / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

// How often a word occurs in the text, ignoring case: the file's own count of its declarations.
int occurrences(const std::string& text, std::string_view word)
{
    int count = 0;
    for (size_t at = 0; at + word.size() <= text.size(); ++at) count += EqualIgnoringCase(std::string_view(text).substr(at, word.size()), word);
    return count;
}

const EntityDefinition& named(const DefinitionRead& read, std::string_view name)
{
    static const EntityDefinition none;
    for (const EntityDefinition& d : read.classes) {
        if (d.name == name) return d;
    }
    ADD_FAILURE() << "no class " << name;
    return none;
}

std::vector<int> bits(const EntityDefinition& d)
{
    std::vector<int> out;
    for (const EntityFlag& flag : d.flags) out.push_back(flag.bit);
    return out;
}

std::vector<std::string> keys(const EntityDefinition& d)
{
    std::vector<std::string> out;
    for (const EntityProperty& p : d.properties) out.push_back(p.key);
    return out;
}

const EntityProperty& property(const EntityDefinition& d, std::string_view key)
{
    for (const EntityProperty& p : d.properties) {
        if (p.key == key) return p;
    }
    static const EntityProperty none;
    ADD_FAILURE() << d.name << " has no key " << key;
    return none;
}

std::string problemOf(const DefinitionRead& read)
{
    return read.problem ? std::to_string(read.problem->line) + ": " + read.problem->text : "";
}

} // namespace

TEST(EntityDefinitions, QuakeFgdGivesEveryClassWithWhatItsBasesGiveInOrder)
{
    const std::string text = corpusText("Quake.fgd");
    if (text.empty()) GTEST_SKIP() << "no corpus";
    const DefinitionRead read = ReadFgd(text);
    EXPECT_EQ(problemOf(read), "");
    EXPECT_EQ(static_cast<int>(read.classes.size()), occurrences(text, "@PointClass") + occurrences(text, "@SolidClass"));
    EXPECT_EQ(read.classes.size(), 100u);

    // monster_army: its own size and model, Monster's colour and flag, Appearflags' skill flags,
    // and the keys of Angle, Target and Targetname through Monster.
    const EntityDefinition& army = named(read, "monster_army");
    EXPECT_TRUE(army.fixedSize && army.typed);
    EXPECT_EQ(army.mins, (Vec3{-16, -16, -24}));
    EXPECT_EQ(army.maxs, (Vec3{16, 16, 40}));
    EXPECT_EQ(army.color, (Vec3{220 / 255.0f, 0, 0}));
    EXPECT_EQ(bits(army), (std::vector<int>{0, 8, 9, 10, 11}));
    EXPECT_EQ(army.flags[0].label, "Ambush");
    EXPECT_EQ(army.model.path, "progs/soldier.mdl");
    EXPECT_EQ(keys(army), (std::vector<std::string>{"angle", "target", "killtarget", "targetname"}));
    EXPECT_EQ(army.help, std::vector<std::string>{"Grunt"});

    // A weapon's size and colour come from Weapon; the object form names the model.
    const EntityDefinition& shotgun = named(read, "weapon_supershotgun");
    EXPECT_EQ(std::pair(shotgun.mins, shotgun.maxs), std::pair(Vec3{-16, -16, 0}, Vec3{16, 16, 56}));
    EXPECT_EQ(shotgun.color, (Vec3{0, 0, 200 / 255.0f}));
    EXPECT_EQ(named(read, "item_armor2").model.path, "progs/armor.mdl");
    // A choice by the entity's keys names no one model and is kept as written.
    const EntityDefinition& sigil = named(read, "item_sigil");
    EXPECT_EQ(sigil.model.path, "");
    EXPECT_TRUE(sigil.model.text.starts_with("{{") && sigil.model.text.ends_with("}}")) << sigil.model.text;
    EXPECT_EQ(sigil.help.size(), 9u); // a description over several lines
    EXPECT_EQ(sigil.flags[0].onByDefault, true);

    // A single point is the size of a box around the entity; no size is the smallest box.
    const EntityDefinition& corner = named(read, "path_corner");
    EXPECT_EQ(std::pair(corner.mins, corner.maxs), std::pair(Vec3{-8, -8, -8}, Vec3{8, 8, 8}));
    const EntityDefinition& relay = named(read, "trigger_relay");
    EXPECT_EQ(std::pair(relay.mins, relay.maxs), std::pair(Vec3{-8, -8, -8}, Vec3{8, 8, 8}));

    const EntityDefinition& door = named(read, "func_door");
    EXPECT_FALSE(door.fixedSize);
    EXPECT_EQ(bits(door), (std::vector<int>{0, 2, 3, 4, 5, 8, 9, 10, 11}));
    const EntityProperty& sounds = property(door, "sounds");
    EXPECT_EQ(sounds.type, "choices");
    EXPECT_EQ(sounds.defaultValue, "0");
    EXPECT_EQ(sounds.choices.size(), 5u);
    EXPECT_EQ(sounds.choices[3], (EntityChoice{"3", "Stone Chain"}));
    EXPECT_EQ(property(door, "wait").defaultValue, "3");
    EXPECT_EQ(property(door, "dmg").label, "Damage inflicted when blocked");

    // "0 : Spike" names no bit; the zombie's flags carry their help.
    EXPECT_EQ(bits(named(read, "trap_spikeshooter")), (std::vector<int>{0, 1, 8, 9, 10, 11}));
    EXPECT_TRUE(named(read, "monster_zombie").flags[0].help.starts_with("The Zombie will become"));
}

TEST(EntityDefinitions, Quoth2FgdInheritsOverSeveralLevelsAndFromPointClasses)
{
    const std::string text = corpusText("Quoth2.fgd");
    if (text.empty()) GTEST_SKIP() << "no corpus";
    const DefinitionRead read = ReadFgd(text);
    EXPECT_EQ(problemOf(read), "");
    EXPECT_EQ(static_cast<int>(read.classes.size()), occurrences(text, "@PointClass") + occurrences(text, "@SolidClass"));
    EXPECT_EQ(read.classes.size(), 226u);

    // Weapon <- Item <- Target: two levels up.
    const EntityDefinition& hammer = named(read, "weapon_hammer");
    EXPECT_EQ(hammer.model.path, "progs/v_ham.mdl");
    EXPECT_EQ(hammer.color, (Vec3{0, 0, 200 / 255.0f}));
    EXPECT_EQ(keys(hammer).front(), "target");
    // A point class serves as a base too.
    const EntityDefinition& mapgate = named(read, "info_mapgate");
    EXPECT_EQ(property(mapgate, "mapindex").label, "Map index");
    EXPECT_EQ(mapgate.flags.front().label, "Inverse logic");
}

TEST(EntityDefinitions, Rubicon2DefGivesBoxesFlagsByPlaceModelsAndHelp)
{
    const std::string text = corpusText("Rubicon2.def");
    if (text.empty()) GTEST_SKIP() << "no corpus";
    const DefinitionRead read = ReadDef(text);
    EXPECT_EQ(problemOf(read), "");
    EXPECT_EQ(static_cast<int>(read.classes.size()), occurrences(text, "/*QUAKED"));
    EXPECT_EQ(read.classes.size(), 123u);

    const EntityDefinition& axe = named(read, "weapon_axe");
    EXPECT_TRUE(axe.fixedSize && !axe.typed);
    EXPECT_EQ(std::pair(axe.mins, axe.maxs), std::pair(Vec3{-16, -16, 0}, Vec3{16, 16, 32}));
    EXPECT_EQ(axe.color, (Vec3{0, 0.5f, 0.8f}));
    EXPECT_EQ(axe.model.path, "progs/g_axe.mdl");
    EXPECT_EQ(axe.help, std::vector<std::string>{"Axe."}) << "the model block is no help";

    const EntityDefinition& floyd = named(read, "monster_floyd");
    EXPECT_EQ(floyd.model.path, "progs/floyd.mdl"); // the object form inside the block
    ASSERT_EQ(floyd.flags.size(), 8u);
    EXPECT_EQ(floyd.flags[7], (EntityFlag{7, "SPAWN_SILENT", false, {}}));

    const EntityDefinition& door = named(read, "func_door");
    EXPECT_FALSE(door.fixedSize);
    EXPECT_EQ(door.flags[2].label, "DOOR_DONT_LINK");
    EXPECT_EQ(door.help.front(), "If two doors touch, they are");
    EXPECT_EQ(named(read, "item_cells").model.path, "");
}

TEST(EntityDefinitions, MalformedFilesAreReportedAtTheirLineAndKeepTheClassesBefore)
{
    const std::string good = "@PointClass = first : \"ok\" []\n";
    const std::pair<std::string, std::string> fgd[] = {
        {good + "@PointClass = second [\n  speed(integer) : \"Speed\"\n", "2: the key list of second is not closed"},
        {good + "@PointClass size(1 2 3\n= second []", "2: the parentheses of size are not closed"},
        {good + "@PointClass = second : \"never\n closed []", "2: a quoted text is not closed"},
        {good + "@PointClass size(1 2) = second []", "2: size takes one or two points of three numbers"},
        {good + "@NPCClass = second []", "2: unknown declaration @NPCClass"},
        {good + "second []", "2: expected a class declaration beginning with @, found \"second\""},
        {good + "@PointClass = second [ x(flags) = [ 1 : \"a\"\n", "2: the rows of x are not closed"},
        {good + "@PointClass = second [ speed integer ]", "2: expected the type of speed in parentheses, found \"integer\""},
        {good + "@PointClass base(Missing) = second []", "2: the base class Missing of second is not defined"},
        {good + "@BaseClass base(B) = A []\n@BaseClass base(A) = B []\n@PointClass base(A) = second []",
         "2: the base classes of A lead back to it"},
        {good + "@PointClass base(second) = second []", "2: the base classes of second lead back to it"},
    };
    for (const auto& [text, problem] : fgd) {
        const DefinitionRead read = ReadFgd(text);
        EXPECT_EQ(problemOf(read), problem) << text;
        ASSERT_FALSE(read.classes.empty()) << text;
        EXPECT_EQ(read.classes.front().name, "first") << text;
    }
    // Bases that cannot be applied leave the class with what it has itself.
    EXPECT_EQ(ReadFgd(fgd[8].first).classes.size(), 2u);

    const std::string first = "/*QUAKED first (1 0 0) ?\n*/\n";
    const std::pair<std::string, std::string> def[] = {
        {first + "/*QUAKED second (1 0 0) ?\nnever closed", "3: the definition beginning here is not closed with */"},
        {first + "\n/*QUAKED second (1 x 0) ?\n*/", "4: the colour of second is not three numbers in parentheses"},
        {first + "/*QUAKED second (1 0 0) (0 0 0)\n*/", "3: the box of second is neither two points in parentheses nor ?"},
        {first + "/*QUAKED second (1 0 0) ?\n{ model(\"a.mdl\");\n*/", "4: the { block of second is not closed"},
        {first + "/*QUAKED (1 0 0) ?\n*/", "3: a definition without a class name"},
    };
    for (const auto& [text, problem] : def) {
        const DefinitionRead read = ReadDef(text);
        EXPECT_EQ(problemOf(read), problem) << text;
        ASSERT_EQ(read.classes.size(), 1u) << text;
    }
}

TEST(EntityDefinitions, TheEntityListSettingReadsSeveralFilesAndALaterClassReplacesAnEarlierOne)
{
    ScratchFolder folder;
    const std::string qel = folder.write("base.qel", "ENTTYPE: light ( 1 1 0 ) ( -8 -8 -8 ) ( 8 8 8 ) :END\n"
                                                     "ENTTYPE: func_door ( 0 .5 .8 ) ? :END\n");
    const std::string fgd = folder.write("mod.FGD", "@PointClass size(-4 -4 -4, 4 4 4) model(\":progs/lamp.mdl\") = light []\n"
                                                    "@PointClass = info_lamp [\n");
    const std::string def = folder.write("more.def", "/*QUAKED monster_x (1 0 0) (-1 -1 -1) (1 1 1) A\n*/\n");
    EntityClassList classes;
    FakeHost log;
    const EntityListRead read = classes.loadList(qel + " ; " + fgd + ";" + folder.path().string() + "/missing.fgd;" + def, log);
    EXPECT_EQ(read.filesRead, 3);
    EXPECT_EQ(read.problems, (std::vector<std::string>{
                                 "The entity list " + fgd + " is damaged at line 2: the key list of info_lamp is not closed. "
                                                            "The classes before that line are used.",
                                 "Could not read the entity list " + folder.path().string() + "/missing.fgd."}));
    EXPECT_EQ(log.debug.size(), 1u);
    ASSERT_EQ(classes.count(), 3);
    EXPECT_EQ(classes.nameAt(0), "light") << "replaced in its place";
    EXPECT_EQ(classes.find("light").maxs(), (Vec3{4, 4, 4}));
    EXPECT_EQ(classes.find("light").model().path, "progs/lamp.mdl");
    EXPECT_EQ(classes.find("monster_x").flagName(0, log), "A");

    // Nothing read: the catalogue stays.
    EXPECT_EQ(classes.loadList(folder.path().string() + "/none.qel", log).filesRead, 0);
    EXPECT_EQ(classes.count(), 3);
}
