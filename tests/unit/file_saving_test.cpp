#include "platform/file_reading.h"
#include "platform/file_saving.h"
#include "scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

using namespace vorn;
using namespace vorn::test;

namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& path)
{
    return ReadWholeFile(path.string()).bytes.value_or("<unreadable>");
}

struct stat statOf(const fs::path& path)
{
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

// What a folder holds, so that a test sees any temporary file a save left behind.
std::set<std::string> namesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
    return names;
}

} // namespace

TEST(FileSaving, ReadOnlyAndNonRegularTargetsAreRefusedAndLeftAlone)
{
    ScratchFolder scratch;
    // Read-only by its permissions, which a rename would ignore and the superuser could.
    const std::string readOnly = scratch.write("read-only.map", "old");
    ::chmod(readOnly.c_str(), 0444);
    EXPECT_EQ(SaveFile(readOnly, "new"), "the file is read-only");
    EXPECT_EQ(contents(readOnly), "old");
    EXPECT_EQ(statOf(readOnly).st_mode & 07777, 0444u);

    const fs::path fifo = scratch.path() / "fifo.map";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_EQ(SaveFile(fifo.string(), "new"), "not a regular file");
    EXPECT_TRUE(S_ISFIFO(statOf(fifo).st_mode));
    EXPECT_EQ(SaveFile(scratch.path().string(), "new"), "Is a directory");
    EXPECT_EQ(namesIn(scratch.path()), (std::set<std::string>{"read-only.map", "fifo.map"}));
}

TEST(FileSaving, SymbolicLinksAreFollowedToTheFileTheyNameAndStay)
{
    ScratchFolder scratch;
    const fs::path real = scratch.write("maps/real.map", "old");
    fs::create_symlink("maps/real.map", scratch.path() / "link.map");
    fs::create_symlink(scratch.path() / "link.map", scratch.path() / "link-to-link.map");
    EXPECT_EQ(SaveFile((scratch.path() / "link-to-link.map").string(), "new"), std::nullopt);
    EXPECT_EQ(contents(real), "new");
    EXPECT_TRUE(fs::is_symlink(scratch.path() / "link.map"));
    EXPECT_TRUE(fs::is_symlink(scratch.path() / "link-to-link.map"));
    EXPECT_EQ(namesIn(scratch.path() / "maps"), std::set<std::string>{"real.map"});

    // A link to no file yet makes that file; a loop is refused.
    fs::create_symlink("maps/new.map", scratch.path() / "dangling.map");
    EXPECT_EQ(SaveFile((scratch.path() / "dangling.map").string(), "made"), std::nullopt);
    EXPECT_EQ(contents(scratch.path() / "maps/new.map"), "made");
    fs::create_symlink("loop.map", scratch.path() / "loop.map");
    EXPECT_EQ(SaveFile((scratch.path() / "loop.map").string(), "x"), "Too many levels of symbolic links");
    EXPECT_EQ(namesIn(scratch.path()),
              (std::set<std::string>{"maps", "link.map", "link-to-link.map", "dangling.map", "loop.map"}));
}

TEST(FileSaving, TheFileKeepsItsOtherNamesOwnerGroupAndPermissions)
{
    ScratchFolder scratch;
    // Several names: the one file is rewritten, shorter than before, and stays the same file.
    const fs::path first = scratch.write("first.map", "a long old text");
    const fs::path second = scratch.path() / "second.map";
    fs::create_hard_link(first, second);
    const ino_t inode = statOf(first).st_ino;
    EXPECT_EQ(SaveFile(first.string(), "short"), std::nullopt);
    EXPECT_EQ(contents(second), "short");
    EXPECT_EQ(statOf(first).st_ino, inode);
    EXPECT_EQ(statOf(second).st_nlink, 2u);

    // One name: replaced by a new file that gets the old one's permissions, owner and group.
    const fs::path single = scratch.write("single.map", "old");
    ::chmod(single.c_str(), 0604);
    const bool chowned = ::chown(single.c_str(), 4242, 4343) == 0; // only the superuser may give files away
    EXPECT_EQ(SaveFile(single.string(), "new"), std::nullopt);
    EXPECT_EQ(contents(single), "new");
    EXPECT_EQ(statOf(single).st_mode & 07777, 0604u);
    if (chowned) {
        EXPECT_EQ(std::pair(statOf(single).st_uid, statOf(single).st_gid), std::pair(uid_t{4242}, gid_t{4343}));
    }

    // A new file gets what the umask allows.
    const mode_t mask = ::umask(027);
    EXPECT_EQ(SaveFile((scratch.path() / "fresh.map").string(), "new"), std::nullopt);
    ::umask(mask);
    EXPECT_EQ(statOf(scratch.path() / "fresh.map").st_mode & 07777, 0640u);
    EXPECT_EQ(namesIn(scratch.path()), (std::set<std::string>{"first.map", "second.map", "single.map", "fresh.map"}));
}

TEST(FileSaving, ANameAsLongAsTheSystemAllowsSaves)
{
    ScratchFolder scratch;
    const std::string name = std::string(251, 'n') + ".map";
    const fs::path path = scratch.write(name, "old");
    ASSERT_EQ(contents(path), "old");
    EXPECT_EQ(SaveFile(path.string(), "new"), std::nullopt);
    EXPECT_EQ(contents(path), "new");
    EXPECT_EQ(namesIn(scratch.path()), std::set<std::string>{name});
}
