#include "corpus_maps.h"
#include "entities/bundled_entity_list.h"
#include "entities/entity_class.h"
#include "fakes.h"
#include "map/entity.h"
#include "map/map_file.h"
#include "platform/file_reading.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <sstream>

using namespace vorn;
using vorn::test::FakeHost;

namespace {

struct LoadedMap {
    std::vector<std::unique_ptr<CQEntity>> entities;
    MapReadResult result;
    int brushes = 0;
};

LoadedMap load(std::string_view text, const EntityClassList& classes, FakeHost& host)
{
    LoadedMap map;
    map.result = ReadMap(text, classes, host, nullptr, map.entities);
    for (const auto& e : map.entities) map.brushes += e->BrushCountForFile();
    return map;
}

std::string save(const LoadedMap& map, MapFormat format = MapFormat::Standard)
{
    std::tm fixed{};
    return WriteMap({"out.map", "", "", fixed, static_cast<int>(map.entities.size()), map.brushes, format}, map.entities);
}

} // namespace

// Real maps made with other tools survive a read, a write and a second read unchanged.
TEST(Corpus, EveryMapRoundTripsThroughWriteAndRead)
{
    const auto maps = vorn::test::CorpusMaps();
    if (maps.empty()) GTEST_SKIP() << "no corpus at " << VORN_CORPUS_DIR;
    EntityClassList classes;
    classes.loadText(BundledEntityList());
    for (const auto& path : maps) {
        SCOPED_TRACE(path.filename().string());
        FakeHost host, hostAgain;
        const FileContents file = ReadWholeFile(path.string());
        ASSERT_TRUE(file.bytes);
        const LoadedMap first = load(*file.bytes, classes, host);
        EXPECT_FALSE(first.result.damaged);
        EXPECT_EQ(first.result.format, MapFormat::Standard);
        EXPECT_GT(first.entities.size(), 1u);
        EXPECT_TRUE(first.entities.front()->isWorld());

        const std::string written = save(first);
        const LoadedMap second = load(written, classes, hostAgain);
        ASSERT_EQ(second.entities.size(), first.entities.size());
        // Writing again gives the same bytes (the date line aside, fixed here), and the boxes of point
        // entities, which are not written, come back too.
        EXPECT_EQ(save(second), written);
        for (size_t i = 0; i < first.entities.size(); ++i) {
            EXPECT_EQ(second.entities[i]->brushCount(), first.entities[i]->brushCount()) << i;
        }
        // Layer entities without brush or origin are reported the same way both times.
        EXPECT_EQ(hostAgain.messages, host.messages);
    }
}

namespace {

// The plane points and texture axes of every Valve face line, as numbers, in file order.
std::vector<std::vector<double>> valveFaceNumbers(const std::string& text)
{
    static constexpr int kNumberTokens[] = {1, 2, 3, 6, 7, 8, 11, 12, 13, 17, 18, 19, 20, 23, 24, 25, 26};
    std::vector<std::vector<double>> faces;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with("( ")) continue;
        std::istringstream words(line);
        const std::vector<std::string> tokens{std::istream_iterator<std::string>(words), {}};
        std::vector<double>& numbers = faces.emplace_back();
        for (const int i : kNumberTokens) numbers.push_back(std::strtod(tokens.at(static_cast<size_t>(i)).c_str(), nullptr));
    }
    return faces;
}

size_t countOf(const std::string& text, std::string_view what)
{
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
    return count;
}

} // namespace

// Maps made by current tools in the Valve 220 format open whole and save every plane point and
// texture axis exactly, in the format they came in.
TEST(Corpus, ValveMapsOpenWholeAndSaveTheirPointsAndAxesExactly)
{
    const auto maps = vorn::test::CorpusMaps("maps/valve220");
    if (maps.empty()) GTEST_SKIP() << "no Valve maps at " << VORN_CORPUS_DIR;
    EntityClassList classes;
    classes.loadText(BundledEntityList());
    for (const auto& path : maps) {
        SCOPED_TRACE(path.filename().string());
        FakeHost host;
        const FileContents file = ReadWholeFile(path.string());
        ASSERT_TRUE(file.bytes);
        const std::string& original = *file.bytes;
        const LoadedMap first = load(original, classes, host);
        EXPECT_FALSE(first.result.damaged);
        EXPECT_EQ(first.result.format, MapFormat::Valve220);
        // Every brush block and every face line of the file is there.
        EXPECT_EQ(static_cast<size_t>(first.brushes), countOf(original, "\n{\n("));
        int faces = 0;
        for (const auto& e : first.entities) {
            for (const CQBrush& b : e->brushes()) faces += e->isModifiable() ? b.CountFaces() : 0;
        }
        EXPECT_EQ(static_cast<size_t>(faces), countOf(original, "\n( "));

        const std::string written = save(first, MapFormat::Valve220);
        EXPECT_NE(written.find("\"mapversion\" \"220\""), std::string::npos);
        EXPECT_EQ(valveFaceNumbers(written), valveFaceNumbers(original));
        FakeHost hostAgain;
        const LoadedMap second = load(written, classes, hostAgain);
        EXPECT_EQ(second.result.format, MapFormat::Valve220);
        EXPECT_EQ(save(second, MapFormat::Valve220), written);
    }
}
