#include "document/leak_path.h"
#include "document/point_file.h"
#include "editor_fixture.h"
#include "recording_canvas.h"
#include "ui/leak_path_drawing.h"

#include <fstream>

using namespace vorn;
using namespace vorn::test;

namespace {

namespace fs = std::filesystem;

void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

TEST(PointFile, ReadsThreeNumbersALineAndRefusesAnythingElse)
{
    EXPECT_EQ(ParsePointFile("64 64 24\n256 -28 0\r\n\n  -16.5\t-28 -20  \n"),
              (std::vector<Vec3>{{64, 64, 24}, {256, -28, 0}, {-16.5f, -28, -20}}));
    EXPECT_EQ(ParsePointFile("1e2 0 0"), (std::vector<Vec3>{{100, 0, 0}})) << "no line end after the last line";
    for (const char* bad : {"", "\n\n", "1 2\n", "1 2 3 4\n", "1 2 x\n", "1,2,3\n", "1 2 3x\n", "nan 0 0\n",
                            "inf 0 0\n", "1e99 0 0\n", "0 0 0\n1 1\n"}) {
        EXPECT_EQ(ParsePointFile(bad), std::nullopt) << bad;
    }
    std::string many;
    for (size_t i = 0; i <= kMaxLeakPoints; ++i) many += "0 0 0\n";
    EXPECT_EQ(ParsePointFile(many), std::nullopt) << "more points than any leak has";
}

TEST_F(EditorTest, ThePointFileOfThisCompileIsFoundBesideTheMapPtsBeforeLinAndItsPathDrawnOverItsMap)
{
    const std::string e1m1 = path("e1m1.map");
    const auto start = fs::file_time_type::clock::now();
    EXPECT_EQ(FindPointFile(e1m1, start), "");
    writeFile(path("e1m1.lin"), "0 0 0\n8 8 8\n");
    EXPECT_EQ(FindPointFile(e1m1, start), path("e1m1.lin"));
    writeFile(path("e1m1.pts"), "0 0 0\n");
    EXPECT_EQ(FindPointFile(e1m1, start), path("e1m1.pts"));
    fs::last_write_time(path("e1m1.pts"), start - std::chrono::hours(1));
    fs::last_write_time(path("e1m1.lin"), start - std::chrono::hours(1));
    EXPECT_EQ(FindPointFile(e1m1, start), "") << "left by an earlier compile";

    EXPECT_EQ(ReadPointFile(path("e1m1.lin")).points, (std::vector<Vec3>{{0, 0, 0}, {8, 8, 8}}));
    writeFile(path("bad.pts"), "leak!\n");
    EXPECT_NE(ReadPointFile(path("bad.pts")).error, "");
    EXPECT_NE(ReadPointFile(path("missing.pts")).error, "");

    // The leak path is drawn as one wide line, only over its own map.
    CXYView& view = editor.xyView();
    view.setClientSize(800, 600);
    view.centreOn(0, 0);
    const std::vector<Vec3> points{{0, 0, 24}, {256, -28, 0}, {-16, -28, -20}};
    ASSERT_TRUE(editor.saveMap(path("leaky.map")));
    editor.workspace().leakPath().set(path("leaky.map"), points);

    const RecordingCanvas canvas(view);
    const auto lines = canvas.drawn(RecordingCanvas::Kind::Line, kLeakPathColour);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(canvas.lineBetween(kLeakPathColour, view.mapToWindow(0, 0), view.mapToWindow(256, -28)));
    EXPECT_TRUE(canvas.lineBetween(kLeakPathColour, view.mapToWindow(256, -28), view.mapToWindow(-16, -28)));

    ASSERT_TRUE(editor.saveMap(path("other.map")));
    EXPECT_TRUE(RecordingCanvas(view).drawn(RecordingCanvas::Kind::Line, kLeakPathColour).empty())
        << "another map does not show this map's leak";
    map().NewMap();
    EXPECT_TRUE(editor.workspace().leakPath().pointsFor(map().pathName()).empty());
    editor.workspace().leakPath().clear();
    EXPECT_TRUE(editor.workspace().leakPath().pointsFor(path("leaky.map")).empty());
}
