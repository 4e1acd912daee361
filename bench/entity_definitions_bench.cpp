// Reading the entity definition files of the shared corpus, and loading its game folder's models.

#include "entities/entity_class.h"
#include "models/game_files.h"
#include "models/model_store.h"
#include "platform/null_host.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace vorn;

namespace {

const std::filesystem::path kCorpus(VORN_CORPUS_DIR);

// The entity list setting read as the editor reads it: the file from disk, its classes built.
void entityList(benchmark::State& state, const char* name)
{
    const std::filesystem::path file = kCorpus / "entities" / name;
    if (!std::filesystem::exists(file)) return state.SkipWithError("no corpus");
    NullDebugOutput log;
    int classes = 0;
    for (auto _ : state) {
        EntityClassList list;
        if (list.loadList(file.string(), log).filesRead != 1) return state.SkipWithError("the file was not read");
        classes = list.count();
        benchmark::DoNotOptimize(list.all().data());
    }
    state.counters["classes"] = static_cast<double>(classes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * std::filesystem::file_size(file)));
}
BENCHMARK_CAPTURE(entityList, Quoth2Fgd, "Quoth2.fgd")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(entityList, QuakeFgd, "Quake.fgd")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(entityList, Rubicon2Def, "Rubicon2.def")->Unit(benchmark::kMillisecond);

// Every model of the game folder loaded into a fresh store: read, checked, its skin coloured.
void BM_LoadGameModels(benchmark::State& state)
{
    const std::filesystem::path progs = kCorpus / "game" / "id1" / "progs";
    std::vector<std::string> paths;
    std::error_code absent;
    for (const auto& entry : std::filesystem::directory_iterator(progs, absent)) paths.push_back("progs/" + entry.path().filename().string());
    if (paths.empty()) return state.SkipWithError("no corpus");
    NullHost host;
    for (auto _ : state) {
        ModelStore store(host);
        store.setFolders(GameFolders((kCorpus / "game").string(), {}));
        for (const std::string& path : paths) {
            if (!store.model(path)) return state.SkipWithError("a model did not load");
        }
    }
    state.counters["models"] = static_cast<double>(paths.size());
}
BENCHMARK(BM_LoadGameModels)->Unit(benchmark::kMillisecond);

} // namespace
