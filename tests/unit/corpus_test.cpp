#include "corpus_maps.h"
#include "entities/bundled_entity_list.h"
#include "entities/entity_class.h"
#include "fakes.h"
#include "map/entity.h"
#include "map/map_file.h"
#include "platform/file_reading.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace vorn;
using vorn::test::FakeHost;

namespace {

struct LoadedMap {
    std::vector<std::unique_ptr<CQEntity>> entities;
    MapReadResult result;
    int brushes = 0;
    int facesWithPolygons = 0;
};

LoadedMap load(std::string_view text, const EntityClassList& classes, FakeHost& host)
{
    LoadedMap map;
    map.result = ReadMap(text, classes, host, nullptr, map.entities);
    for (const auto& e : map.entities) {
        map.brushes += e->BrushCountForFile();
        if (!e->isModifiable()) continue;
        for (const CQBrush& b : e->brushes()) map.facesWithPolygons += b.CountFaces();
    }
    return map;
}

std::string save(const LoadedMap& map)
{
    std::tm fixed{};
    return WriteMap({"out.map", "", "", fixed, static_cast<int>(map.entities.size()), map.brushes, map.result.format},
                    map.entities);
}

// The face lines of a map text in order, without line-end bytes, a negative zero written as 0.
std::vector<std::string> faceLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with("( ")) continue;
        std::istringstream words(line);
        std::string same;
        for (std::string word; words >> word;) same += (same.empty() ? "" : " ") + (word == "-0" ? "0" : word);
        lines.push_back(same);
    }
    return lines;
}

} // namespace

// Real maps made with other tools, in both face formats, open whole, with a polygon for every face
// (the sliver faces of rounded brushes too), and save every face line as they had it: points,
// texture, shifts or axes, rotation and scales, in the form they were written in. Saving again
// gives the same bytes.
TEST(Corpus, EveryMapOpensWholeAndSavesItsFaceLinesAsTheyWere)
{
    const std::vector<std::string> folders{"maps", "maps/valve220"};
    if (vorn::test::CorpusMaps().empty()) GTEST_SKIP() << "no corpus at " << VORN_CORPUS_DIR;
    EntityClassList classes;
    classes.loadText(BundledEntityList());
    for (const std::string& folder : folders) {
        for (const auto& path : vorn::test::CorpusMaps(folder)) {
            SCOPED_TRACE(path.filename().string());
            FakeHost host;
            const FileContents file = ReadWholeFile(path.string());
            ASSERT_TRUE(file.bytes);
            const LoadedMap first = load(*file.bytes, classes, host);
            EXPECT_FALSE(first.result.damaged);
            EXPECT_EQ(first.result.format, folder == "maps" ? MapFormat::Standard : MapFormat::Valve220);
            EXPECT_TRUE(first.entities.front()->isWorld());
            const std::vector<std::string> original = faceLines(*file.bytes);
            EXPECT_EQ(static_cast<size_t>(first.facesWithPolygons), original.size());

            const std::string written = save(first);
            EXPECT_EQ(faceLines(written), original);
            FakeHost hostAgain;
            const LoadedMap second = load(written, classes, hostAgain);
            EXPECT_EQ(save(second), written);
            // Layer entities without brush or origin are reported the same way both times.
            EXPECT_EQ(hostAgain.messages, host.messages);
        }
    }
}
