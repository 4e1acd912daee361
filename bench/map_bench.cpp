#include "entities/bundled_entity_list.h"
#include "entities/entity_class.h"
#include "map/entity.h"
#include "map/map_file.h"
#include "map/map_text.h"
#include "platform/null_host.h"
#include "platform/file_reading.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>

using namespace vorn;

namespace {

const EntityClassList& catalogue()
{
    static const EntityClassList classes = [] {
        EntityClassList list;
        list.loadText(BundledEntityList());
        return list;
    }();
    return classes;
}

// A world of `brushes` 64-unit boxes on a grid and a light every hundred brushes.
std::string generatedMap(int brushes)
{
    std::vector<std::unique_ptr<CQEntity>> entities;
    NullHost host;
    auto world = std::make_unique<CQEntity>();
    world->SetValue("\"classname\"", "\"worldspawn\"");
    for (int i = 0; i < brushes; ++i) {
        const float x = static_cast<float>(i % 300) * 80;
        const float y = static_cast<float>(i / 300) * 80;
        CQBrush b;
        b.MakeBox({x, y, 0}, {x + 64, y + 64, 64}, "WALL14_6", host);
        world->AddBrush(b);
    }
    entities.push_back(std::move(world));
    for (int i = 0; i < brushes / 100; ++i) {
        auto light = std::make_unique<CQEntity>();
        light->SetValue("\"classname\"", "\"light\"");
        light->SetValue("\"origin\"", Quoted(OriginText({static_cast<float>(i * 80), 0, 96})));
        entities.push_back(std::move(light));
    }
    return WriteMap({}, entities);
}

int fileBrushes(const std::vector<std::unique_ptr<CQEntity>>& entities)
{
    int count = 0;
    for (const auto& e : entities) count += e->BrushCountForFile();
    return count;
}

void BM_ReadAndBuild(benchmark::State& state)
{
    const std::string text = generatedMap(static_cast<int>(state.range(0)));
    NullHost host;
    int brushes = 0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<CQEntity>> entities;
        ReadMap(text, catalogue(), host, nullptr, entities);
        brushes = fileBrushes(entities);
    }
    state.SetItemsProcessed(state.iterations() * brushes);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadAndBuild)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_Write(benchmark::State& state)
{
    const std::string text = generatedMap(static_cast<int>(state.range(0)));
    NullHost host;
    std::vector<std::unique_ptr<CQEntity>> entities;
    ReadMap(text, catalogue(), host, nullptr, entities);
    size_t written = 0;
    for (auto _ : state) {
        const std::string out = WriteMap({}, entities);
        written = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(written));
}
// 20,000 brushes: the autosave text, which would have to take under 20 ms on the user-interface thread.
BENCHMARK(BM_Write)->Arg(1000)->Arg(10000)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The copy of the entities that autosave takes on the user-interface thread, to write it elsewhere.
void BM_CopyEntities(benchmark::State& state)
{
    const std::string text = generatedMap(static_cast<int>(state.range(0)));
    NullHost host;
    std::vector<std::unique_ptr<CQEntity>> entities;
    ReadMap(text, catalogue(), host, nullptr, entities);
    for (auto _ : state) {
        std::vector<std::unique_ptr<CQEntity>> copy;
        copy.reserve(entities.size());
        for (const auto& e : entities) copy.push_back(std::make_unique<CQEntity>(*e));
        benchmark::DoNotOptimize(copy.data());
        state.PauseTiming(); // freeing the copy happens on the writing thread
        copy.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CopyEntities)->Arg(20000)->Unit(benchmark::kMillisecond);

// Heap held by a map read from text: the text itself and its entities.
void BM_MapMemory(benchmark::State& state)
{
    NullHost host;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        const std::string text = generatedMap(static_cast<int>(state.range(0)));
        const size_t withText = mallinfo2().uordblks;
        std::vector<std::unique_ptr<CQEntity>> entities;
        ReadMap(text, catalogue(), host, nullptr, entities);
        const size_t withMap = mallinfo2().uordblks;
        state.counters["text_MB"] = static_cast<double>(withText - before) / 1e6;
        state.counters["map_MB"] = static_cast<double>(withMap - withText) / 1e6;
        state.counters["peak_MB"] = static_cast<double>(withMap - before) / 1e6;
    }
}
BENCHMARK(BM_MapMemory)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ReadCorpus(benchmark::State& state)
{
    std::string all;
    std::vector<std::string> maps;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(VORN_CORPUS_DIR) / "maps", error)) {
        if (auto file = ReadWholeFile(entry.path().string()); file.bytes) maps.push_back(std::move(*file.bytes));
    }
    if (maps.empty()) {
        state.SkipWithError("no corpus");
        return;
    }
    NullHost host;
    int64_t bytes = 0;
    int64_t brushes = 0;
    for (auto _ : state) {
        for (const std::string& text : maps) {
            std::vector<std::unique_ptr<CQEntity>> entities;
            ReadMap(text, catalogue(), host, nullptr, entities);
            bytes += static_cast<int64_t>(text.size());
            brushes += fileBrushes(entities);
        }
    }
    state.SetBytesProcessed(bytes);
    state.SetItemsProcessed(brushes);
}
BENCHMARK(BM_ReadCorpus)->Unit(benchmark::kMillisecond);

} // namespace
