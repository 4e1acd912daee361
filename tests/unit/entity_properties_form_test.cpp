#include "editor_fixture.h"
#include "entities/entity_properties_form.h"
#include "platform/debug_output.h"

#include <gtest/gtest.h>

using namespace vorn;

namespace {

using Pairs = std::vector<CQKeyValue>;

EntityClassList catalogue(bool withNoclass = true)
{
    EntityClassList classes;
    classes.loadText(std::string(withNoclass ? "ENTTYPE: noclass ( 0 0 0 ) ( -8 -8 -8 ) ( 8 8 8 ) unknown_flag COMMENT: Unknown :END\n" : "") +
                     "ENTTYPE: light ( 1 1 0 ) ( -8 -8 -8 ) ( 8 8 8 ) start_off COMMENT: A light. COMMENT: More. :END\n"
                     "ENTTYPE: light_fluoro ( 1 1 0 ) ( -8 -8 -8 ) ( 8 8 8 ) :END\n"
                     "ENTTYPE: info_player_start ( 1 0 0 ) ( -16 -16 -24 ) ( 16 16 32 ) :END\n"
                     "ENTTYPE: info_intermission ( 1 0 1 ) ( -16 -16 -16 ) ( 16 16 16 ) :END\n"
                     "ENTTYPE: func_door ( 0 .5 .8 ) ? starts_open - dont_link gold_key silver_key toggle :END\n"
                     "ENTTYPE: Func_Button ( 0 .5 .8 ) ? :END\n");
    return classes;
}

// An entity as the map reader makes it: a point entity gets its class's box at its origin.
CQEntity readEntity(const Pairs& pairs, const EntityClassList& classes)
{
    CQEntity e;
    for (const auto& [key, value] : pairs) e.SetValue(Quoted(key), Quoted(value));
    NullDebugOutput log;
    if (const auto box = classes.fixedBox(e.className())) {
        e.MakeFixedSizeBrush(*box, ParseVector(e.GetValue("\"origin\"")), log);
        e.setModifiable(false);
    }
    return e;
}

CQEntity brushEntity(const Pairs& pairs, std::initializer_list<std::pair<Vec3, Vec3>> boxes)
{
    CQEntity e;
    for (const auto& [key, value] : pairs) e.SetValue(Quoted(key), Quoted(value));
    for (const auto& [lo, hi] : boxes) e.AddBrush(test::Box(lo, hi, "WALL"));
    return e;
}

Pairs unquoted(const Pairs& pairs)
{
    Pairs bare;
    for (const auto& [key, value] : pairs) bare.push_back({std::string(Unquoted(key)), std::string(Unquoted(value))});
    return bare;
}

} // namespace

TEST(EntityPropertiesForm, AClassIsFoundIgnoringCaseAnUnknownOneKeepsItsNameAndOnlyANamelessEntityFallsBackToNoclass)
{
    const EntityClassList classes = catalogue();
    EXPECT_EQ(EntityPropertiesForm::ClassNames(classes),
              (std::vector<std::string>{"Func_Button", "func_door", "info_intermission", "info_player_start", "light",
                                        "light_fluoro", "noclass"}));

    EXPECT_EQ(EntityPropertiesForm(readEntity({{"classname", "FUNC_DOOR"}}, classes), classes).className(), "func_door");

    const EntityPropertiesForm detail(brushEntity({{"classname", "func_detail"}}, {{{0, 0, 0}, {8, 8, 8}}}), classes);
    EXPECT_EQ(detail.className(), "func_detail");
    EXPECT_EQ(detail.shownClass().name(), "noclass");
    EXPECT_EQ(detail.helpLine(), "Unknown ");
    ASSERT_FALSE(detail.problem());
    const EntityPropertiesResult kept = detail.ok();
    EXPECT_EQ(unquoted(kept.pairs), (Pairs{{"classname", "func_detail"}}));
    EXPECT_FALSE(kept.pointBox) << "the fallback's box is not given to a class it stands in for";

    EXPECT_EQ(EntityPropertiesForm(CQEntity(), classes).className(), "noclass");
    const EntityClassList withoutFallback = catalogue(false);
    EntityPropertiesForm nameless(CQEntity(), withoutFallback);
    EXPECT_EQ(nameless.className(), "");
    EXPECT_EQ(nameless.problem(), "Choose a class for the entity.");
    nameless.changeClass("light", withoutFallback);
    EXPECT_EQ(nameless.helpLine(), "A light. ");
    EXPECT_FALSE(nameless.problem());
}

TEST(EntityPropertiesForm, OkWritesTheFieldsInItsOrderAsTypedThenTheOtherKeysInTheirOldOrder)
{
    const EntityClassList classes = catalogue();
    CQEntity door = brushEntity({{"_tb_group", "3"},
                                 {"map", "e1m2"},
                                 {"classname", "func_door"},
                                 {"target", "t1"},
                                 {"origin", "8 8 8"},
                                 {"angle", "-1"},
                                 {"delay", "2"}},
                                {{{0, 0, 0}, {64, 64, 64}}});
    EntityPropertiesForm form(door, classes);
    EXPECT_EQ(form.angle, "-1");
    EXPECT_EQ(form.field(EntityField::Map), "e1m2");
    EXPECT_EQ(form.otherKeys.rows(), (std::vector<OtherKeys::Row>{{"_tb_group", "3"}, {"origin", "8 8 8"}, {"delay", "2"}}));
    const char* typed[] = {"", "t2", "door", "Hello", "3", "1", "abc", "10", "8", "k", "5", "2", "16", "0.1", "e1m3"};
    for (int f = 0; f < kEntityFieldCount; ++f) form.field(static_cast<EntityField>(f)) = typed[f];
    const EntityPropertiesResult result = form.ok();
    EXPECT_EQ(unquoted(result.pairs),
              (Pairs{{"classname", "func_door"}, {"angle", "-1"}, {"target", "t2"}, {"targetname", "door"}, {"message", "Hello"},
                     {"wait", "3"}, {"style", "1"}, {"speed", "abc"}, {"dmg", "10"}, {"lip", "8"}, {"killtarget", "k"},
                     {"health", "5"}, {"sounds", "2"}, {"height", "16"}, {"nextthink", "0.1"}, {"map", "e1m3"},
                     {"_tb_group", "3"}, {"origin", "8 8 8"}, {"delay", "2"}}))
        << "an empty field writes no key; a brush entity's origin is one of the other keys";

    NullDebugOutput log;
    ApplyEntityProperties(door, result, log);
    EXPECT_EQ(door.pairs(), result.pairs);
    EXPECT_TRUE(door.isModifiable() && door.brushCount() == 1);
}

TEST(EntityPropertiesForm, TheIntermissionsAngleIsItsMangleAndLightsDefaultTo300)
{
    const EntityClassList classes = catalogue();
    EntityPropertiesForm camera(readEntity({{"classname", "info_intermission"}, {"origin", "0 0 0"}, {"angle", "90"}, {"mangle", "20 45 0"}}, classes), classes);
    EXPECT_EQ(camera.angle, "20 45 0");
    EXPECT_EQ(unquoted(camera.ok().pairs), (Pairs{{"classname", "info_intermission"}, {"mangle", "20 45 0"}, {"origin", "0 0 0"}, {"angle", "90"}}));

    // A spotlight's "mangle" is not the light's angle; it is kept, but clashes once the class writes it.
    EntityPropertiesForm spot(readEntity({{"classname", "light"}, {"origin", "0 0 0"}, {"mangle", "0 -90 0"}}, classes), classes);
    EXPECT_EQ(spot.angle, "");
    EXPECT_EQ(unquoted(spot.ok().pairs), (Pairs{{"classname", "light"}, {"light", "300"}, {"origin", "0 0 0"}, {"mangle", "0 -90 0"}}));
    spot.changeClass("info_intermission", classes);
    EXPECT_EQ(spot.problem(), "The dialog writes the key \"mangle\" itself.");

    EntityPropertiesForm fluoro(readEntity({{"classname", "light_fluoro"}, {"origin", "0 0 0"}, {"light", ""}}, classes), classes);
    EXPECT_EQ(fluoro.ok().pairs[1], (CQKeyValue{"\"light\"", "\"300\""}));
    fluoro.field(EntityField::Light) = "bright";
    EXPECT_EQ(fluoro.ok().pairs[1], (CQKeyValue{"\"light\"", "\"bright\""}));
    fluoro.field(EntityField::Light).clear();
    fluoro.changeClass("info_player_start", classes);
    EXPECT_EQ(fluoro.ok().pairs[1].key, "\"origin\"") << "no light for a class that is not a light";
}

TEST(EntityPropertiesForm, SpawnflagsOpenAsFlagAndSkillBoxesAndAreWrittenBackFromThem)
{
    const EntityClassList classes = catalogue();
    const auto open = [&](const char* spawnflags) {
        return EntityPropertiesForm(readEntity({{"classname", "light"}, {"origin", "0 0 0"}, {"spawnflags", spawnflags}}, classes), classes);
    };
    const auto written = [](const EntityPropertiesForm& form) {
        const Pairs pairs = unquoted(form.ok().pairs);
        const auto it = std::find_if(pairs.begin(), pairs.end(), [](const CQKeyValue& p) { return p.key == "spawnflags"; });
        return it == pairs.end() ? std::string("none") : it->value;
    };

    EntityPropertiesForm form = open("2305");
    EXPECT_EQ(std::vector<bool>(form.flags.begin(), form.flags.begin() + 8),
              (std::vector<bool>{true, false, false, false, false, false, false, false}));
    EXPECT_EQ(form.skills, (std::array<bool, 4>{false, true, true, false})) << "Normal and Difficult ticked";
    EXPECT_EQ(written(form), "2305");
    form.skills = {true, true, true, true};
    form.flags[0] = false;
    EXPECT_EQ(written(form), "none");
    form.flags[7] = true;
    form.skills[static_cast<size_t>(Skill::Difficult)] = false;
    EXPECT_EQ(written(form), "1152");

    EXPECT_EQ(written(open("6401")), "2305") << "bits above 2048 are not written back";
    EXPECT_EQ(written(open("0")), "0") << "an unchanged value keeps its text";
    EXPECT_EQ(written(open("3.9")), "3.9") << "read as 3";
    EXPECT_EQ(open("3.9").flags[1], true);
    const EntityPropertiesForm junk = open("abc");
    EXPECT_EQ(junk.skills, (std::array<bool, 4>{true, true, true, true}));
    EXPECT_EQ(written(EntityPropertiesForm(readEntity({{"classname", "light"}, {"origin", "0 0 0"}}, classes), classes)), "none");
}

TEST(EntityPropertiesForm, AFixedSizeClassPutsItsBoxAtTheOriginOnEveryOk)
{
    const EntityClassList classes = catalogue();
    NullDebugOutput log;

    // The box of a player start is not centred on its origin: OK must not move it.
    CQEntity start = readEntity({{"classname", "info_player_start"}, {"origin", "100 200 24.5"}}, classes);
    for (int ok = 0; ok < 2; ++ok) ApplyEntityProperties(start, EntityPropertiesForm(start, classes).ok(), log);
    EXPECT_EQ(start.GetValue("\"origin\""), "\"100 200 24.5\"");
    ASSERT_EQ(start.brushCount(), 1);
    test::ExpectBox(start.brushes()[0], {84, 184, 0.5f}, {116, 216, 56.5f});
    EXPECT_FALSE(start.isModifiable());

    EntityPropertiesForm relight(start, classes);
    relight.changeClass("light", classes);
    ApplyEntityProperties(start, relight.ok(), log);
    test::ExpectBox(start.brushes()[0], {92, 192, 16.5f}, {108, 208, 32.5f});

    // Brushes made into a point class give way to its box at their centre.
    CQEntity made = brushEntity({}, {{{0, 0, 0}, {64, 64, 64}}, {{64, 0, 0}, {129, 64, 64}}});
    EntityPropertiesForm form(made, classes);
    form.changeClass("light", classes);
    const EntityPropertiesResult result = form.ok();
    EXPECT_EQ(unquoted(result.pairs), (Pairs{{"classname", "light"}, {"light", "300"}, {"origin", "64 32 32"}}));
    ApplyEntityProperties(made, result, log);
    ASSERT_EQ(made.brushCount(), 1);
    test::ExpectBox(made.brushes()[0], {56, 24, 24}, {72, 40, 40}); // where its origin says
    EXPECT_FALSE(made.isModifiable());

    // An entity of a point class that brought brushes from its file keeps them while its class stays.
    CQEntity lamp = brushEntity({{"classname", "light"}, {"origin", "1 2 3"}}, {{{0, 0, 0}, {8, 8, 8}}, {{8, 0, 0}, {16, 8, 8}}});
    const EntityPropertiesForm lampForm(lamp, classes);
    EXPECT_EQ(lampForm.otherKeys.rows(), (std::vector<OtherKeys::Row>{{"origin", "1 2 3"}}));
    ApplyEntityProperties(lamp, lampForm.ok(), log);
    EXPECT_EQ(lamp.brushCount(), 2);
    EXPECT_TRUE(lamp.isModifiable());
}

TEST(EntityPropertiesForm, OtherKeysAreAddedEditedAndRemovedAndAKeyTypedTwiceIsRefused)
{
    const EntityClassList classes = catalogue();
    EntityPropertiesForm form(readEntity({{"classname", "light"}, {"_color", "1 0 0"}, {"origin", "0 0 0"}, {"delay", "1"}}, classes), classes);
    const std::vector<std::string> own = form.ownKeys();
    OtherKeys& keys = form.otherKeys;
    // The window's test sees a key already listed, or one the dialog writes, refused.
    EXPECT_EQ(keys.add("origin", "1 1 1", own), "The dialog writes the key \"origin\" itself.") << "a point entity's origin";
    EXPECT_EQ(keys.add("", "x", own), "A key needs a name.");
    EXPECT_EQ(keys.add("wait\"", "x", own), "Keys and values cannot contain a double quote.");
    EXPECT_EQ(keys.add("count", "say \"x\"", own), "Keys and values cannot contain a double quote.");
    EXPECT_EQ(keys.count(), 2) << "nothing refused was added";
    EXPECT_FALSE(keys.add("_sunlight", "100", own));
    EXPECT_EQ(keys.set(0, "delay", "3", own), "The key \"delay\" is already in the list.");
    EXPECT_FALSE(keys.set(1, "delay", "3", own)) << "a row may keep its own key";
    EXPECT_FALSE(keys.set(0, "_colour", "0 1 0", own));
    keys.remove(1);
    EXPECT_EQ(unquoted(form.ok().pairs),
              (Pairs{{"classname", "light"}, {"light", "300"}, {"origin", "0 0 0"}, {"_colour", "0 1 0"}, {"_sunlight", "100"}}));
}
