// The full map check the Problems panel runs after each change, on the largest corpus map and on
// a generated map of 60,000 boxes; and the copy of the map the window makes for it, which is all
// of the check the window waits for.
#include "document/map_problems.h"
#include "document/map_snapshot.h"
#include "editor/editor.h"
#include "generated_map.h"

#include <benchmark/benchmark.h>

namespace vorn {
namespace {

constexpr int kGeneratedBoxes = 60000;

class CheckedMap {
public:
    // Arg 0: the largest corpus map; otherwise a generated map of that many boxes.
    bool read(int boxes)
    {
        headless_.editor.loadEntityClasses();
        if (boxes > 0) {
            if (!bench::ReadGeneratedMap(headless_.editor, boxes)) return false;
        } else {
            const FileContents file = ReadWholeFile(VORN_CORPUS_DIR "/maps/e3m5.map");
            if (!file.bytes) return false;
            headless_.editor.readMapText(*file.bytes);
        }
        // Every texture the map uses is in an archive, so that each face is looked up and found.
        std::vector<std::string> names;
        for (const auto& entity : headless_.editor.map().entities()) {
            for (const CQBrush& brush : entity->brushes()) {
                for (const CQFace& face : brush.faces()) names.push_back(face.texture.str());
            }
        }
        textures_ = LowerCaseNames(names);
        return true;
    }
    std::vector<Problem> check() { return CheckMap(headless_.editor.map().entities(), {headless_.editor.classes(), &textures_}); }
    MapSnapshot snapshot() const { return TakeMapSnapshot(headless_.editor.map(), "bench.map", {}); }

private:
    bench::HeadlessEditor headless_;
    std::unordered_set<std::string> textures_;
};

void BM_CheckMap(benchmark::State& state)
{
    CheckedMap map;
    if (!map.read(static_cast<int>(state.range(0)))) {
        state.SkipWithError("the map is not at hand");
        return;
    }
    size_t found = 0;
    for (auto _ : state) found = map.check().size();
    state.counters["problems"] = static_cast<double>(found);
}
BENCHMARK(BM_CheckMap)->Arg(0)->Arg(kGeneratedBoxes)->Unit(benchmark::kMillisecond);

void BM_CheckSnapshot(benchmark::State& state)
{
    CheckedMap map;
    if (!map.read(static_cast<int>(state.range(0)))) {
        state.SkipWithError("the map is not at hand");
        return;
    }
    for (auto _ : state) benchmark::DoNotOptimize(map.snapshot());
}
BENCHMARK(BM_CheckSnapshot)->Arg(0)->Arg(kGeneratedBoxes)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vorn
