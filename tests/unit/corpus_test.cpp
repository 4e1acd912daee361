#include "entities/bundled_entity_list.h"
#include "entities/entity_class.h"
#include "entities/entity_properties_form.h"
#include "entities/map_properties_form.h"
#include "fakes.h"
#include "map/entity.h"
#include "map/map_file.h"
#include "map/map_text.h"
#include "platform/file_reading.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

using namespace vorn;
using vorn::test::FakeHost;

namespace {

// The .map files of a folder of the shared corpus, sorted; none when the corpus is absent.
std::vector<std::filesystem::path> CorpusMaps(const std::string& folderName = "maps")
{
    std::vector<std::filesystem::path> maps;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(VORN_CORPUS_DIR) / folderName, error)) {
        if (entry.path().extension() == ".map") maps.push_back(entry.path());
    }
    std::sort(maps.begin(), maps.end());
    return maps;
}

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

// An entity's pairs, sorted; after an unchanged OK, a light without a level gets the default one.
std::vector<CQKeyValue> sortedPairs(const CQEntity& e, bool afterOk = false)
{
    std::vector<CQKeyValue> pairs = e.pairs();
    if (afterOk && !e.isWorld() && e.className().starts_with("light") && Unquoted(e.GetValue("\"light\"")).empty()) {
        std::erase_if(pairs, [](const CQKeyValue& p) { return p.key == "\"light\""; });
        pairs.push_back({"\"light\"", "\"300\""});
    }
    std::ranges::sort(pairs, {}, &CQKeyValue::key);
    return pairs;
}

// Opens the properties of the entity, as the world's or an entity's dialog, and presses OK.
void okUnchanged(CQEntity& e, const EntityClassList& classes, DebugOutput& log)
{
    if (e.isWorld()) {
        const MapPropertiesForm form = MapPropertiesForm::readWorld(e);
        ASSERT_EQ(form.problem(), std::nullopt);
        ApplyMapProperties(e, form.ok());
    } else {
        const EntityPropertiesForm form(e, classes);
        ASSERT_EQ(form.problem(), std::nullopt) << e.className();
        ApplyEntityProperties(e, form.ok(), log);
    }
}

} // namespace

// Real maps made with other tools, in both face formats, open whole, with a polygon for every face
// (the sliver faces of rounded brushes too), and save every face line as they had it: points,
// texture, shifts or axes, rotation and scales, in the form they were written in. Saving again
// gives the same bytes.
TEST(Corpus, EveryMapOpensWholeAndSavesItsFaceLinesAsTheyWere)
{
    const std::vector<std::string> folders{"maps", "maps/valve220"};
    if (CorpusMaps().empty()) GTEST_SKIP() << "no corpus at " << VORN_CORPUS_DIR;
    EntityClassList classes;
    classes.loadText(BundledEntityList());
    for (const std::string& folder : folders) {
        for (const auto& path : CorpusMaps(folder)) {
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

// Real maps keep every key and value of the entities whose properties were confirmed unchanged
// (the first twenty of each map).
TEST(Corpus, OkWithoutChangesKeepsEveryKeyAndValueThroughASave)
{
    auto maps = CorpusMaps();
    const auto valve = CorpusMaps("maps/valve220");
    maps.insert(maps.end(), valve.begin(), valve.end());
    if (maps.empty()) GTEST_SKIP() << "no corpus at " << VORN_CORPUS_DIR;
    EntityClassList classes;
    classes.loadText(BundledEntityList());
    for (const auto& path : maps) {
        SCOPED_TRACE(path.filename().string());
        FakeHost host;
        const FileContents file = ReadWholeFile(path.string());
        ASSERT_TRUE(file.bytes);
        LoadedMap map = load(*file.bytes, classes, host);
        const size_t opened = std::min<size_t>(20, map.entities.size());
        std::vector<std::vector<CQKeyValue>> expected;
        std::vector<int> brushes;
        for (size_t i = 0; i < opened; ++i) {
            expected.push_back(sortedPairs(*map.entities[i], true));
            brushes.push_back(map.entities[i]->BrushCountForFile());
            okUnchanged(*map.entities[i], classes, host);
        }
        const LoadedMap reread = load(save(map), classes, host);
        ASSERT_EQ(reread.entities.size(), map.entities.size());
        for (size_t i = 0; i < opened; ++i) {
            EXPECT_EQ(sortedPairs(*reread.entities[i]), expected[i]) << "entity " << i;
            EXPECT_EQ(reread.entities[i]->BrushCountForFile(), brushes[i]) << "entity " << i;
        }
    }
}
