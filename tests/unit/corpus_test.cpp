#include "corpus_maps.h"
#include "entities/bundled_entity_list.h"
#include "entities/entity_class.h"
#include "fakes.h"
#include "map/entity.h"
#include "map/map_file.h"
#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>

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

std::string save(const LoadedMap& map)
{
    std::tm fixed{};
    return WriteMap({"out.map", "", "", fixed, static_cast<int>(map.entities.size()), map.brushes}, map.entities);
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
