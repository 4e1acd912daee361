#include "entities/bundled_entity_list.h"
#include "entities/entity_class.h"
#include "recording_debug.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

using namespace vorn;
using vorn::test::RecordingDebug;

namespace {

EntityClassList parse(std::string_view text)
{
    EntityClassList list;
    list.loadText(text);
    return list;
}

Vec3 v(float x, float y, float z) { return {x, y, z}; }

// A folder of its own under the system's temporary folder, removed afterwards.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vorn_classes_XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    std::string write(const std::string& name, std::string_view text) const
    {
        const std::filesystem::path file = path_ / name;
        std::ofstream(file, std::ios::binary) << text;
        return file.string();
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Runs in the given folder and goes back to the previous one afterwards.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& folder) : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(previous_); }

private:
    std::filesystem::path previous_;
};

constexpr std::string_view kTwoClasses =
    "ENTTYPE: light ( 1 1 0 ) ( -8 -8 -8 ) ( 8 8 8 ) start_off COMMENT: A light. :END\n"
    "ENTTYPE: func_wall ( 0 .5 .8 ) ? :END\n";

} // namespace

TEST(EntityClass, ReadingEndsAtTheFirstTextThatIsNoEntry)
{
    EXPECT_EQ(parse("").count(), 0);
    EXPECT_EQ(parse("   \n\t").count(), 0);
    EXPECT_EQ(parse("// only a comment\n").count(), 0);
    EXPECT_EQ(parse("enttype: light ( 1 1 0 ) ? :END\n").count(), 0);
    EXPECT_EQ(parse("{ ENTTYPE: light ( 1 1 0 ) ? :END\n").count(), 0);

    const auto list = parse("ENTTYPE: a ( 1 0 0 ) ? :END\n"
                            "junk\n"
                            "ENTTYPE: b ( 1 0 0 ) ? :END\n");
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.nameAt(0), "a");
    EXPECT_EQ(list.nameAt(1), "");
    EXPECT_EQ(list.nameAt(-1), "");
}

TEST(EntityClass, PointEntryGivesColourBoxFlagsAndHelp)
{
    const auto list = parse("ENTTYPE: monster_dog ( 1 0.5 x ) ( -32 -32 -24 ) ( 32 32 4e1 ) ambush\n"
                            "COMMENT: A dog.\n"
                            ":END\n");
    const EntityClass& dog = list.find("monster_dog");
    ASSERT_TRUE(dog.isValid());
    EXPECT_EQ(dog.color(), v(1, 0.5f, 0)); // a token that is no number reads as 0
    EXPECT_TRUE(dog.isFixedSize());
    EXPECT_EQ(dog.mins(), v(-32, -32, -24));
    EXPECT_EQ(dog.maxs(), v(32, 32, 40));
    RecordingDebug log;
    EXPECT_EQ(dog.flagName(0, log), "ambush");
    EXPECT_EQ(dog.flagName(1, log), "");
    EXPECT_EQ(dog.commentCount(), 1);
    EXPECT_EQ(dog.commentLine(0), "A dog. ");
    EXPECT_TRUE(log.lines.empty());
}

TEST(EntityClass, BrushEntryWithTwoFlagNamesAndNoHelp)
{
    const auto list = parse("ENTTYPE: func_door ( 0 .5 .8 ) ? start_open toggle :END\n");
    const EntityClass& door = list.find("func_door");
    ASSERT_TRUE(door.isValid());
    EXPECT_FALSE(door.isFixedSize());
    EXPECT_EQ(door.mins(), v(0, 0, 0));
    EXPECT_EQ(door.maxs(), v(0, 0, 0));
    RecordingDebug log;
    EXPECT_EQ(door.flagName(0, log), "start_open");
    EXPECT_EQ(door.flagName(1, log), "toggle");
    EXPECT_EQ(door.flagName(2, log), "");
    EXPECT_EQ(door.commentCount(), 0);
    EXPECT_EQ(door.commentLine(0), "");
    EXPECT_TRUE(log.lines.empty());

    EXPECT_EQ(door.flagName(8, log), "");
    EXPECT_EQ(door.flagName(-1, log), "");
    EXPECT_EQ(log.count("EntityClass flagName: bad number\n"), 2);
}

TEST(EntityClass, HelpTextIsSplitOnlyByCommentKeywords)
{
    const auto list = parse("ENTTYPE: a ( 1 0 0 ) ?\n"
                            "COMMENT: two\nwords COMMENT: three :END\n"
                            "ENTTYPE: b ( 1 0 0 ) ? COMMENT: :END\n"
                            "ENTTYPE: c ( 1 0 0 ) ? COMMENT: one COMMENT: :END\n");
    ASSERT_EQ(list.count(), 3);
    const EntityClass& a = list.find("a");
    ASSERT_EQ(a.commentCount(), 2);
    EXPECT_EQ(a.commentLine(0), "two words ");
    EXPECT_EQ(a.commentLine(1), "three ");
    EXPECT_EQ(a.commentLine(2), "");
    EXPECT_EQ(a.commentLine(-1), "");
    // "COMMENT:" right before ":END" still starts a line, left empty
    EXPECT_EQ(list.find("b").commentCount(), 1);
    EXPECT_EQ(list.find("b").commentLine(0), "");
    ASSERT_EQ(list.find("c").commentCount(), 2);
    EXPECT_EQ(list.find("c").commentLine(0), "one ");
    EXPECT_EQ(list.find("c").commentLine(1), "");
}

TEST(EntityClass, EndOfFileRightAfterTheLastEntryKeepsIt)
{
    const auto withFlags = parse("ENTTYPE: a ( 1 0 0 ) ? first :END");
    ASSERT_EQ(withFlags.count(), 1);
    RecordingDebug log;
    EXPECT_EQ(withFlags.find("a").flagName(0, log), "first");
    EXPECT_EQ(withFlags.find("a").flagName(1, log), ""); // the lost ":END" is not a flag name

    const auto withHelp = parse("ENTTYPE: a ( 1 0 0 ) ? COMMENT: hello :END");
    ASSERT_EQ(withHelp.count(), 1);
    EXPECT_EQ(withHelp.find("a").commentCount(), 1);
    EXPECT_EQ(withHelp.find("a").commentLine(0), "hello ");

    EXPECT_EQ(parse("ENTTYPE: a ( 1 0 0 ) ? :END\n// trailing note").count(), 1);
}

TEST(EntityClass, SlashCommentsOnlyWhereATokenBegins)
{
    const auto list = parse("// header\n"
                            "ENTTYPE: a ( 1 0 0 ) ? // a brush class\n"
                            "on/off /ignored :END\n"
                            "half COMMENT: see a/b :END\n"
                            "ENTTYPE: b ( 0 1 0 ) ? :END\n");
    ASSERT_EQ(list.count(), 2);
    const EntityClass& a = list.find("a");
    RecordingDebug log;
    EXPECT_EQ(a.flagName(0, log), "on/off");
    EXPECT_EQ(a.flagName(1, log), "half");
    EXPECT_EQ(a.commentLine(0), "see a/b ");
}

TEST(EntityClass, NinthFlagAndThirtySixthHelpLineAreDropped)
{
    std::string text = "ENTTYPE: many ( 0.25 0.5 0.75 ) ( -1 -2 -3 ) ( 1 2 3 ) f0 f1 f2 f3 f4 f5 f6 f7 f8 f9\n";
    text += "COMMENT: line0";
    for (int i = 1; i < 40; ++i) text += "\nCOMMENT: line" + std::to_string(i);
    text += " :END\nENTTYPE: next ( 1 0 0 ) ? :END\n";

    const auto list = parse(text);
    ASSERT_EQ(list.count(), 2);
    const EntityClass& many = list.find("many");
    RecordingDebug log;
    for (int i = 0; i < EntityClass::kFlagCount; ++i) EXPECT_EQ(many.flagName(i, log), "f" + std::to_string(i));
    ASSERT_EQ(many.commentCount(), EntityClass::kMaxCommentLines);
    EXPECT_EQ(many.commentLine(0), "line0 ");
    EXPECT_EQ(many.commentLine(34), "line34 ");
    EXPECT_EQ(many.commentLine(35), "");
    // nothing spilled into the other fields
    EXPECT_EQ(many.name(), "many");
    EXPECT_EQ(many.color(), v(0.25f, 0.5f, 0.75f));
    EXPECT_EQ(many.mins(), v(-1, -2, -3));
    EXPECT_EQ(many.maxs(), v(1, 2, 3));
    EXPECT_TRUE(list.find("next").isValid());
}

TEST(EntityClass, DuplicateNamesAreKeptAndFindReturnsTheFirst)
{
    const auto list = parse("ENTTYPE: light ( 1 0 0 ) ( -8 -8 -8 ) ( 8 8 8 ) :END\n"
                            "ENTTYPE: light ( 0 1 0 ) ? :END\n");
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.nameAt(1), "light");
    EXPECT_EQ(list.find("light").color(), v(1, 0, 0));
    EXPECT_TRUE(list.find("light").isFixedSize());
}

TEST(EntityClass, UnknownOrDifferentlyCasedNameGivesTheEmptyClass)
{
    const auto list = parse(kTwoClasses);
    for (std::string_view name : {"monster_army", "Light", "", "light "}) {
        const EntityClass& found = list.find(name);
        EXPECT_FALSE(found.isValid()) << name;
        EXPECT_FALSE(found.isFixedSize()) << name;
        EXPECT_EQ(found.name(), "") << name;
    }
}

TEST(EntityClass, LoadFileReplacesTheCatalogueOnlyWhenTheFileIsRead)
{
    TempFolder folder;
    EntityClassList list = parse(kTwoClasses);
    RecordingDebug log;

    const std::string missing = (folder.path() / "missing.qel").string();
    EXPECT_FALSE(list.loadFile(missing, log));
    EXPECT_EQ(log.count("Failed to open " + missing + " due to error #2\n"), 1);
    // a folder opens on this system but cannot be read
    EXPECT_FALSE(list.loadFile(folder.path().string(), log));
    EXPECT_EQ(log.count("Failed to open " + folder.path().string() + " due to error #21\n"), 1);
    ASSERT_EQ(list.count(), 2);
    EXPECT_TRUE(list.find("light").isFixedSize());

    EXPECT_TRUE(list.loadFile(folder.write("mine.qel", "ENTTYPE: only ( 1 1 1 ) ? :END\n"), log));
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.nameAt(0), "only");
    EXPECT_EQ(log.lines.size(), 2u);
}

TEST(EntityClass, LoadDefaultAppendsFromTheWorkingFolder)
{
    TempFolder folder;
    WorkingFolder inFolder(folder.path());
    EntityClassList list = parse(kTwoClasses);
    RecordingDebug log;

    EXPECT_FALSE(list.loadDefault(log));
    EXPECT_EQ(log.count("Failed to open entities.qel due to error #2\n"), 1);
    EXPECT_EQ(list.count(), 2);

    folder.write(EntityClassList::kDefaultFileName, "ENTTYPE: extra ( 1 1 1 ) ? :END\n");
    EXPECT_TRUE(list.loadDefault(log));
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.nameAt(0), "light");
    EXPECT_EQ(list.nameAt(2), "extra");
}

TEST(EntityClass, BundledListMatchesTheResourceAndDescribesTheGame)
{
    std::ifstream file(VORN_RESOURCES_DIR "/entities.qel", std::ios::binary);
    ASSERT_TRUE(file);
    const std::string onDisk{std::istreambuf_iterator<char>(file), {}};
    EXPECT_EQ(BundledEntityList(), onDisk);
    ASSERT_FALSE(onDisk.empty());
    EXPECT_EQ(onDisk.back(), '\n');

    const auto list = parse(BundledEntityList());
    EXPECT_GE(list.count(), 80);
    int entries = 0; // every entry is read, none swallowed by the one before
    for (size_t at = onDisk.find("\nENTTYPE: "); at != std::string::npos; at = onDisk.find("\nENTTYPE: ", at + 1)) ++entries;
    EXPECT_EQ(list.count(), entries);

    EXPECT_EQ(list.find("light").mins(), v(-8, -8, -8));
    EXPECT_EQ(list.find("light").maxs(), v(8, 8, 8));
    EXPECT_EQ(list.find("info_player_start").mins(), v(-16, -16, -24));
    EXPECT_EQ(list.find("info_player_start").maxs(), v(16, 16, 32));
    for (std::string_view brushClass : {"worldspawn", "func_door", "trigger_multiple"}) {
        EXPECT_TRUE(list.find(brushClass).isValid()) << brushClass;
        EXPECT_FALSE(list.find(brushClass).isFixedSize()) << brushClass;
    }

    std::set<std::string> names;
    for (int i = 0; i < list.count(); ++i) {
        const EntityClass& entry = list.find(list.nameAt(i));
        EXPECT_TRUE(names.insert(entry.name()).second) << "duplicate " << entry.name();
        EXPECT_GT(entry.commentCount(), 0) << entry.name();
        if (entry.isFixedSize()) {
            for (int axis = 0; axis < 3; ++axis) EXPECT_LT(entry.mins()[axis], entry.maxs()[axis]) << entry.name();
        }
    }
}
