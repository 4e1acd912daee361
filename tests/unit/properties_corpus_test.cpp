#include "corpus_maps.h"
#include "entities/bundled_entity_list.h"
#include "entities/entity_properties_form.h"
#include "entities/map_properties_form.h"
#include "fakes.h"
#include "map/map_file.h"
#include "platform/file_reading.h"

#include <gtest/gtest.h>

using namespace vorn;
using vorn::test::FakeHost;

namespace {

constexpr size_t kEntitiesOpened = 20;

using Entities = std::vector<std::unique_ptr<CQEntity>>;

// What a map entity should hold after an unchanged OK, sorted: all it had, and a light's default level.
std::vector<CQKeyValue> expectedPairs(const CQEntity& e)
{
    std::vector<CQKeyValue> pairs = e.pairs();
    if (!e.isWorld() && e.className().starts_with("light") && Unquoted(e.GetValue("\"light\"")).empty()) {
        std::erase_if(pairs, [](const CQKeyValue& p) { return p.key == "\"light\""; });
        pairs.push_back({"\"light\"", "\"300\""});
    }
    std::ranges::sort(pairs, {}, &CQKeyValue::key);
    return pairs;
}

std::vector<CQKeyValue> sortedPairs(const CQEntity& e)
{
    std::vector<CQKeyValue> pairs = e.pairs();
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

// Real maps keep every key and value of the entities whose properties were confirmed unchanged.
TEST(PropertiesCorpus, OkWithoutChangesKeepsEveryKeyAndValueThroughASave)
{
    auto maps = vorn::test::CorpusMaps();
    const auto valve = vorn::test::CorpusMaps("maps/valve220");
    maps.insert(maps.end(), valve.begin(), valve.end());
    if (maps.empty()) GTEST_SKIP() << "no corpus at " << VORN_CORPUS_DIR;
    EntityClassList classes;
    classes.loadText(BundledEntityList());
    for (const auto& path : maps) {
        SCOPED_TRACE(path.filename().string());
        FakeHost host;
        const FileContents file = ReadWholeFile(path.string());
        ASSERT_TRUE(file.bytes);
        Entities entities;
        ReadMap(*file.bytes, classes, host, nullptr, entities);
        const size_t opened = std::min(kEntitiesOpened, entities.size());
        std::vector<std::vector<CQKeyValue>> expected;
        std::vector<int> brushes;
        for (size_t i = 0; i < opened; ++i) {
            expected.push_back(expectedPairs(*entities[i]));
            brushes.push_back(entities[i]->BrushCountForFile());
            okUnchanged(*entities[i], classes, host);
        }

        int brushTotal = 0;
        for (const auto& e : entities) brushTotal += e->BrushCountForFile();
        const std::string written = WriteMap({"out.map", "", "", {}, static_cast<int>(entities.size()), brushTotal}, entities);
        Entities reread;
        ReadMap(written, classes, host, nullptr, reread);
        ASSERT_EQ(reread.size(), entities.size());
        for (size_t i = 0; i < opened; ++i) {
            EXPECT_EQ(sortedPairs(*reread[i]), expected[i]) << "entity " << i;
            EXPECT_EQ(reread[i]->BrushCountForFile(), brushes[i]) << "entity " << i;
        }
    }
}
