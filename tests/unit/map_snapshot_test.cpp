#include "document/map_snapshot.h"
#include "document/selection_edits.h"
#include "editor_fixture.h"

using namespace vorn;
using vorn::test::EditorTest;

namespace {

// The text after the header, whose "Last modified" line may differ by a minute.
std::string body(const std::string& text) { return text.substr(text.find("\n\n")); }

} // namespace

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
    EXPECT_EQ(text.substr(0, text.find('\n')), "// Filename: /maps/a.map");
    EXPECT_NE(text.find("// Author: Ann\n"), std::string::npos);
    EXPECT_NE(text.find("// Map Contains: 2 Entities, 2 Brushes\n"), std::string::npos);
    EXPECT_EQ(body(text), body(saved));
    EXPECT_NE(body(map().WriteMapText("/maps/a.map", editor.author())), body(saved));
}
