#include "document/map_snapshot.h"
#include "document/selection_edits.h"
#include "editor_fixture.h"
#include "map/brush_text.h"
#include "platform/file_reading.h"

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

using namespace vorn;
using vorn::test::EditorTest;

namespace {

std::string readFile(const std::string& path) { return *ReadWholeFile(path).bytes; }

// The text after the header, whose "Last modified" line may differ by a minute.
std::string body(const std::string& text) { return text.substr(text.find("\n\n")); }

} // namespace

TEST_F(EditorTest, SavedMapOpensWithTheSameContentAndFlagsFollow)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 32}}});
    addPointEntity("light", {32, 32, 96});
    const std::string file = path("a.map");
    ASSERT_TRUE(editor.saveMap(file));
    EXPECT_FALSE(map().IsModifiedSinceSave());
    EXPECT_EQ(map().pathName(), file);
    EXPECT_EQ(map().title(), "a.map");
    const std::string saved = readFile(file);
    EXPECT_NE(saved.find("// Map Contains: 2 Entities, 2 Brushes\n"), std::string::npos);

    ASSERT_TRUE(editor.openMap(file));
    EXPECT_FALSE(map().IsModifiedSinceSave());
    EXPECT_FALSE(map().canUndo());
    ASSERT_EQ(map().EntityCount(), 2);
    EXPECT_TRUE(map().entity(0).isCurrent());
    ASSERT_TRUE(editor.saveMap(path("b.map")));
    const std::string again = readFile(path("b.map"));
    EXPECT_EQ(again.substr(again.find("// Map Contains")), saved.substr(saved.find("// Map Contains")));
    ASSERT_TRUE(editor.saveMap(file)); // over the old file, leaving no temporary file behind
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);

    // A map opened by a relative path is known by its absolute one, header included.
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    const bool opened = editor.openMap("./a.map").has_value();
    std::filesystem::current_path(here);
    ASSERT_TRUE(opened);
    EXPECT_EQ(map().pathName(), file);
    ASSERT_TRUE(editor.saveMap(map().pathName()));
    EXPECT_NE(readFile(file).find("// Filename: " + file + "\n"), std::string::npos);
}

// A map of more brushes than are built at a time gives up its text while it is read: brushes
// that do not close a solid, read near the start, are still written back as they were.
TEST_F(EditorTest, ALargeMapReadFromItsFileKeepsEveryBrushAndTheTextOfUnbuiltOnes)
{
    const std::string unbuilt = "{\n( 0 0 0 ) ( 0 1 0 ) ( 1 0 0 ) ODD 0 0 0 1 1\n}";
    std::string text = "{\n\"classname\" \"worldspawn\"\n" + unbuilt + "\n";
    for (int i = 0; i < 20000; ++i) {
        const Vec3 mins{static_cast<float>(96 * (i % 150)), static_cast<float>(96 * (i / 150)), 0};
        AppendBrush(text, test::Box(mins, mins + Vec3{64, 64, 64}, "W"), MapFormat::Standard);
    }
    text += unbuilt + "\n}\n{\n\"classname\" \"light\"\n\"origin\" \"0 0 0\"\n}\n";
    const std::string file = path("large.map");
    std::ofstream(file) << text;

    const auto read = editor.openMap(file);
    ASSERT_TRUE(read);
    EXPECT_FALSE(read->damaged);
    EXPECT_EQ(read->unbuiltBrushLines.size(), 2u);
    EXPECT_EQ(map().CountBrushes(), 20002);
    ASSERT_TRUE(editor.saveMap(path("again.map")));
    // Unbuilt brushes are written after the built ones.
    const std::string again = readFile(path("again.map"));
    const std::string body = again.substr(again.find("\n{\n") + 1);
    const size_t firstBox = text.find("{\n( 0 0 64 )");
    const std::string expected = text.substr(0, text.find(unbuilt)) + text.substr(firstBox, text.rfind(unbuilt) - firstBox) +
                                 unbuilt + "\n" + text.substr(text.rfind(unbuilt));
    EXPECT_TRUE(body == expected) << "the saved map differs from the one read";
}

class CameraOnEditorTest : public EditorTest {
protected:
    CameraOnEditorTest() : EditorTest(test::CameraOnPreferences()) {}
};

// The progress of an open moves on through every step, never back, up to the whole: the reading
// of a large block, run by run of its brushes, and the camera's scene.
TEST_F(CameraOnEditorTest, OpeningAMapShowsProgressThroughEveryStep)
{
    std::string text = "{\n\"classname\" \"worldspawn\"\n";
    for (int i = 0; i < 40000; ++i) {
        const Vec3 mins{static_cast<float>(96 * (i % 200)), static_cast<float>(96 * (i / 200)), 0};
        AppendBrush(text, test::Box(mins, mins + Vec3{64, 64, 64}, "W"), MapFormat::Standard);
    }
    text += "}\n";
    std::ofstream(path("many.map")) << text;
    ASSERT_TRUE(editor.openMap(path("many.map")));

    const std::vector<double>& shares = host.progress;
    ASSERT_FALSE(shares.empty());
    EXPECT_TRUE(std::ranges::is_sorted(shares));
    EXPECT_EQ(shares.back(), 1.0);
    const auto between = [&](double low, double high) {
        return std::ranges::count_if(shares, [&](double s) { return s > low && s < high; });
    };
    EXPECT_GE(between(0, 0.86), 3) << "while the world block is read";
    EXPECT_GE(between(0.9, 1), 10) << "while the camera's scene is built";
}

TEST_F(EditorTest, ADamagedFileKeepsWhatWasReadButNoFileNameAndEntitiesWithoutBrushesOrOriginAreReportedOnce)
{
    const std::string file = path("damaged.map");
    std::ofstream(file) << "{\n\"classname\" \"worldspawn\"\n}\n{\n\"classname\" \"light\" oops\n}\n";
    editor.saveMap(path("other.map"));
    const auto read = editor.openMap(file);
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->damaged);
    EXPECT_EQ(map().EntityCount(), 1);
    EXPECT_TRUE(map().pathName().empty());
    ASSERT_FALSE(host.messages.empty());
    EXPECT_EQ(host.messages.back(), "The map file is damaged after line 5: only 1 entities were read.");

    // Editors write empty groups for their groups and layers: kept and written back without a word.
    // Other entities without brushes or origin are counted, the first named by its line.
    host.messages.clear();
    const std::string group = "{\n\"classname\" \"func_group\"\n\"_tb_name\" \"Layer 1\"\n}\n";
    std::ofstream(file) << "{\n\"classname\" \"worldspawn\"\n}\n" << group << "{\n\"classname\" \"info_null\"\n}\n"
                        << group << "{\n\"classname\" \"light\"\n}\n";
    ASSERT_TRUE(editor.openMap(file));
    EXPECT_EQ(host.messages, std::vector<std::string>{"ERROR: entity has no brush or origin\nWill place it at 0,0,0\n"
                                                      "(2 entities, the first at line 8)"});
    ASSERT_TRUE(editor.saveMap(path("again.map")));
    const std::string saved = readFile(path("again.map"));
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '{'), 5);
    EXPECT_NE(saved.find(group + "{\n\"classname\" \"info_null\""), std::string::npos);

    host.messages.clear();
    std::ofstream(file) << group << group;
    ASSERT_TRUE(editor.openMap(file));
    EXPECT_TRUE(host.messages.empty());
    std::ofstream(file) << "// a comment\n{\n\"classname\" \"info_null\"\n}\n";
    ASSERT_TRUE(editor.openMap(file));
    EXPECT_EQ(host.messages, std::vector<std::string>{"ERROR: entity has no brush or origin\nWill place it at 0,0,0\n"
                                                      "(1 entity, at line 2)"});
}

TEST_F(EditorTest, FailedOpenOrSaveIsReportedAndKeepsTheMapTheOldFileAndTheModifiedMark)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    addPointEntity("light", {0, 0, 0});
    EXPECT_FALSE(editor.openMap(path("missing.map")));
    EXPECT_EQ(host.messages.back(), "Could not open " + path("missing.map") + ": No such file or directory");
    EXPECT_EQ(map().EntityCount(), 2);
    EXPECT_TRUE(map().canUndo()) << "the history stays with the map";
    const std::string nowhere = path("no/such/folder/x.map");
    EXPECT_FALSE(editor.saveMap(nowhere));
    EXPECT_EQ(host.messages.back(), "Could not save " + nowhere + ": No such file or directory");
    EXPECT_TRUE(map().IsModifiedSinceSave());
    EXPECT_TRUE(map().pathName().empty());

    const std::string fifo = path("fifo.map");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(editor.openMap(fifo));
    EXPECT_EQ(host.messages.back(), "Could not open " + fifo + ": not a regular file");
    const std::string readOnly = path("read-only.map");
    std::ofstream(readOnly) << "old";
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_FALSE(editor.saveMap(readOnly));
    EXPECT_EQ(host.messages.back(), "Could not save " + readOnly + ": the file is read-only");
    EXPECT_EQ(readFile(readOnly), "old");
    EXPECT_TRUE(map().IsModifiedSinceSave());

    if (::geteuid() == 0) return; // a read-only folder does not stop the superuser
    const std::string file = path("ro.map");
    std::ofstream(file) << "old";
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_FALSE(editor.saveMap(file));
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
    EXPECT_EQ(readFile(file), "old");
}

TEST_F(EditorTest, DeletingAnEntitysLastBrushRemovesItButNeverTheWorld)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}});
    addPointEntity("light", {200, 200, 0});
    selectWholeEntity(1);
    DeleteSelection(map()); // the entity's last brush: the entity goes
    EXPECT_EQ(map().EntityCount(), 1);
    EXPECT_EQ(map().currentIndex(), 0);

    selectWholeEntity(0);
    DeleteSelection(map()); // the world stays, even empty
    EXPECT_EQ(map().EntityCount(), 1);
    EXPECT_EQ(map().entity(0).brushCount(), 0);
}

// Autosave writes a snapshot on another thread: what Save would have written when it was taken.
TEST_F(EditorTest, ASnapshotWritesWhatSaveWouldAndIgnoresLaterChanges)
{
    makeWorld({{{0, 0, 0}, {64, 64, 64}}, {{128, 0, 0}, {192, 64, 32}}});
    addPointEntity("light", {32, 32, 96});
    editor.prefs().authorName = "Ann";
    const std::string saved = map().WriteMapText("/maps/a.map", editor.author());
    const MapSnapshot snapshot = TakeMapSnapshot(map(), "/maps/a.map", editor.author());
    AddNewBrush(map(), box({0, 256, 0}, {64, 320, 64}));
    setValue(1, "\"classname\"", "\"info_player_start\"");

    const std::string text = snapshot.text();
    EXPECT_TRUE(text.starts_with("// Filename: /maps/a.map\n"));
    EXPECT_NE(text.find("// Author: Ann\n// Map Contains: 2 Entities, 2 Brushes\n"), std::string::npos);
    EXPECT_EQ(body(text), body(saved));
    EXPECT_NE(body(map().WriteMapText("/maps/a.map", editor.author())), body(saved));
}
