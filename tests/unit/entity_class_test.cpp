#include "entities/bundled_entity_list.h"
#include "entities/entity_class.h"
#include "fakes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

using namespace vorn;
using vorn::test::FakeHost;

namespace {

EntityClassList parse(std::string_view text)
{
    EntityClassList list;
    list.loadText(text);
    return list;
}

} // namespace

TEST(EntityClass, EntriesGiveColourBoxFlagsAndHelpAndFindTakesTheFirstOfThatExactName)
{
    const auto list = parse("ENTTYPE: monster_dog ( 1 0.5 x ) ( -32 -32 -24 ) ( 32 32 4e1 ) ambush\n"
                            "COMMENT: A dog.\n:END\n"
                            "ENTTYPE: func_door ( 0 .5 .8 ) ? start_open toggle :END\n"
                            "ENTTYPE: monster_dog ( 0 1 0 ) ? :END\n");
    ASSERT_EQ(list.count(), 3);
    const EntityClass& dog = list.find("monster_dog");
    EXPECT_EQ(dog.color(), (Vec3{1, 0.5f, 0})); // a token that is no number reads as 0
    EXPECT_TRUE(dog.isFixedSize());
    EXPECT_EQ(dog.mins(), (Vec3{-32, -32, -24}));
    EXPECT_EQ(dog.maxs(), (Vec3{32, 32, 40}));
    FakeHost log;
    EXPECT_EQ(dog.flagName(0, log), "ambush");
    EXPECT_EQ(dog.commentLine(0), "A dog. ");
    const EntityClass& door = list.find("func_door");
    EXPECT_FALSE(door.isFixedSize());
    EXPECT_EQ(door.flagName(1, log), "toggle");
    EXPECT_TRUE(log.debug.empty());
    EXPECT_EQ(door.flagName(8, log), "");
    EXPECT_EQ(door.flagName(-1, log), "");
    EXPECT_EQ(log.debugCount("EntityClass flagName: bad number\n"), 2);
    for (std::string_view name : {"monster_army", "Func_door", "", "func_door "}) EXPECT_FALSE(list.find(name).isValid()) << name;
}

TEST(EntityClass, ReadingEndsAtTheFirstTextThatIsNoEntryAndKeepsAnEntryEndedByTheFile)
{
    for (const char* text : {"", "// only a comment\n", "enttype: a ( 1 1 0 ) ? :END\n", "{ ENTTYPE: a ( 1 ) ? :END\n"}) {
        EXPECT_EQ(parse(text).count(), 0) << text;
    }
    const auto list = parse("ENTTYPE: a ( 1 0 0 ) ? :END\njunk\nENTTYPE: b ( 1 0 0 ) ? :END\n");
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.nameAt(0), "a");
    EXPECT_EQ(list.nameAt(1), "");
    FakeHost log;
    const auto withFlags = parse("ENTTYPE: a ( 1 0 0 ) ? first :END");
    EXPECT_EQ(withFlags.find("a").flagName(0, log), "first");
    EXPECT_EQ(withFlags.find("a").flagName(1, log), ""); // the lost ":END" is no flag name
    EXPECT_EQ(parse("ENTTYPE: a ( 1 0 0 ) ? COMMENT: hello :END").find("a").commentLine(0), "hello ");
}

TEST(EntityClass, HelpLinesStartAtCommentKeywordsSlashesStartCommentsOnlyBeforeAWordAndLimitsHold)
{
    const auto list = parse("// header\n"
                            "ENTTYPE: a ( 1 0 0 ) ? // a brush class\n"
                            "on/off /ignored :END\n"
                            "half COMMENT: two\nwords COMMENT: see a/b :END\n"
                            "ENTTYPE: b ( 1 0 0 ) ? COMMENT: one COMMENT: :END\n");
    const EntityClass& a = list.find("a");
    FakeHost log;
    EXPECT_EQ(a.flagName(0, log), "on/off");
    EXPECT_EQ(a.flagName(1, log), "half");
    ASSERT_EQ(a.commentCount(), 2);
    EXPECT_EQ(a.commentLine(0), "two words ");
    EXPECT_EQ(a.commentLine(1), "see a/b ");
    // "COMMENT:" right before ":END" still starts a line, left empty.
    ASSERT_EQ(list.find("b").commentCount(), 2);
    EXPECT_EQ(list.find("b").commentLine(1), "");

    // The ninth flag and the thirty-sixth help line are dropped, and nothing spills into the other fields.
    std::string text = "ENTTYPE: many ( 0.25 0.5 0.75 ) ( -1 -2 -3 ) ( 1 2 3 ) f0 f1 f2 f3 f4 f5 f6 f7 f8 f9\n";
    for (int i = 0; i < 40; ++i) text += "COMMENT: line" + std::to_string(i) + "\n";
    const auto lists = parse(text + ":END\nENTTYPE: next ( 1 0 0 ) ? :END\n");
    const EntityClass& many = lists.find("many");
    for (int i = 0; i < EntityClass::kFlagCount; ++i) EXPECT_EQ(many.flagName(i, log), "f" + std::to_string(i));
    ASSERT_EQ(many.commentCount(), 35);
    EXPECT_EQ(many.commentLine(34), "line34 ");
    EXPECT_EQ(many.maxs(), (Vec3{1, 2, 3}));
    EXPECT_EQ(lists.nameAt(1), "next");
}

TEST(EntityClass, FilesChangeTheCatalogueOnlyWhenTheyAreRead)
{
    // The default file is read from the working folder: use a fresh one (expecting, to always go back).
    const std::filesystem::path previous = std::filesystem::current_path();
    std::string folder = (std::filesystem::temp_directory_path() / "vorn_classes_XXXXXX").string();
    std::filesystem::current_path(mkdtemp(folder.data()));
    EntityClassList list = parse("ENTTYPE: a ( 1 1 0 ) ? :END\nENTTYPE: b ( 0 .5 .8 ) ? :END\n");
    FakeHost log;
    EXPECT_FALSE(list.loadFile(folder + "/missing.qel", log));
    EXPECT_FALSE(list.loadFile(folder, log)); // a folder is no file to read
    EXPECT_FALSE(list.loadFile("/dev/zero", log)); // nor is a device, which would never end
    EXPECT_FALSE(list.loadDefault(log));
    EXPECT_EQ(log.debug, (std::vector<std::string>{"Failed to open " + folder + "/missing.qel due to error #2\n",
                                                   "Failed to open " + folder + " due to error #21\n",
                                                   "Failed to open /dev/zero due to error #22\n",
                                                   "Failed to open entities.qel due to error #2\n"}));
    EXPECT_EQ(list.count(), 2);
    std::ofstream(EntityClassList::kDefaultFileName) << "ENTTYPE: extra ( 1 1 1 ) ? :END\n";
    EXPECT_TRUE(list.loadDefault(log)); // appends
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.nameAt(2), "extra");
    EXPECT_TRUE(list.loadFile(EntityClassList::kDefaultFileName, log)); // replaces
    EXPECT_EQ(list.count(), 1);
    EXPECT_EQ(log.debug.size(), 4u);
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
}

TEST(EntityClass, BundledListMatchesTheResourceAndEveryEntryIsRead)
{
    std::ifstream file(VORN_RESOURCES_DIR "/entities.qel", std::ios::binary);
    const std::string onDisk{std::istreambuf_iterator<char>(file), {}};
    ASSERT_FALSE(onDisk.empty());
    EXPECT_EQ(BundledEntityList(), onDisk);
    const auto list = parse(BundledEntityList());
    EXPECT_GE(list.count(), 80);
    int entries = 0; // none swallowed by the one before
    for (size_t at = onDisk.find("\nENTTYPE: "); at != std::string::npos; at = onDisk.find("\nENTTYPE: ", at + 1)) ++entries;
    EXPECT_EQ(list.count(), entries);
    EXPECT_TRUE(list.find("worldspawn").isValid() && !list.find("worldspawn").isFixedSize());
    EXPECT_EQ(list.find("info_player_start").mins(), (Vec3{-16, -16, -24}));
}
