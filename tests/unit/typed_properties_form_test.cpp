#include "editor_fixture.h"
#include "entities/entity_properties_form.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

using namespace vorn;
using namespace vorn::test;

namespace {

// Classes whose keys a definition file lists.
EntityClassList definedClasses()
{
    ScratchFolder folder;
    EntityClassList classes;
    NullDebugOutput log;
    classes.loadList(folder.write("doors.fgd", R"(
@BaseClass = Appear [ spawnflags(flags) = [ 256 : "Not on Easy" : 0 ] ]
@SolidClass base(Appear) = func_door : "Door" [
    angle(integer) : "Direction"
    speed(integer) : "Speed" : 100
    sounds(choices) : "Sound" : 0 = [ 0 : "Silent" 1 : "Stone" ]
    spawnflags(flags) = [ 1 : "Starts open" : 0 4 : "Don't link" : 0 : "Opens alone." ]
]
@SolidClass = func_wall : "Wall" [ wait(string) : "Wait" ]
)"),
                     log);
    return classes;
}

std::vector<std::string> rowKeys(const EntityPropertiesForm& form)
{
    std::vector<std::string> keys;
    for (const FieldRow& row : form.fieldRows()) keys.push_back(row.key + "=" + row.value);
    return keys;
}

std::vector<std::string> written(const EntityPropertiesForm& form)
{
    std::vector<std::string> pairs;
    for (const CQKeyValue& pair : form.ok().pairs) pairs.push_back(std::string(Unquoted(pair.key)) + "=" + std::string(Unquoted(pair.value)));
    return pairs;
}

} // namespace

TEST(TypedPropertiesForm, TheClassKeysAreTheFieldsItsFlagsTheBoxesAndKeysItDoesNotListAreOtherKeys)
{
    const EntityClassList classes = definedClasses();
    ASSERT_EQ(classes.count(), 2);
    CQEntity door;
    for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
             {"classname", "func_door"}, {"delay", "1"}, {"speed", "50"}, {"angle", "90"}, {"spawnflags", "325"}}) {
        door.SetValue(Quoted(key), Quoted(value));
    }
    EntityPropertiesForm form(door, classes);
    EXPECT_TRUE(form.typedFields());
    EXPECT_EQ(rowKeys(form), (std::vector<std::string>{"speed=50", "sounds="})) << "the angle has its own field";
    EXPECT_EQ(form.angle, "90");
    EXPECT_EQ(form.otherKeys.rows(), (std::vector<OtherKeys::Row>{{"delay", "1"}}));
    std::vector<std::string> boxes;
    for (const FlagRow& row : form.flagRows()) boxes.push_back(std::to_string(row.bit) + " " + row.label + " " + row.help);
    EXPECT_EQ(boxes, (std::vector<std::string>{"0 Starts open ", "2 Don't link Opens alone."})) << "the skill boxes show bit 8";
    EXPECT_EQ(form.skills[0], false);

    // 325 = 1 + 4 + 64 + 256: bit 6 has no box and stays.
    form.flags[2] = false;
    form.fieldRows()[1].value = "1";
    EXPECT_EQ(written(form), (std::vector<std::string>{"classname=func_door", "angle=90", "speed=50", "sounds=1",
                                                       "spawnflags=321", "delay=1"}));

    // A class without the key takes its value into the other keys, and the door's gets it back.
    form.changeClass("func_wall", classes);
    EXPECT_EQ(rowKeys(form), std::vector<std::string>{"wait="});
    EXPECT_EQ(form.otherKeys.rows(), (std::vector<OtherKeys::Row>{{"delay", "1"}, {"speed", "50"}, {"sounds", "1"}}));
    EXPECT_TRUE(form.flagRows().empty());
    form.changeClass("func_door", classes);
    EXPECT_EQ(rowKeys(form), (std::vector<std::string>{"speed=50", "sounds=1"}));
    EXPECT_EQ(form.otherKeys.rows(), (std::vector<OtherKeys::Row>{{"delay", "1"}}));
}
