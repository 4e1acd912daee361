// Building the camera's scene of a large generated map, and updating one moved brush in it: by a
// step within its cell of the scene, and across cells.

#include "document/map_notice.h"
#include "editor/editor.h"
#include "generated_map.h"
#include "document/no_dialogs.h"
#include "platform/null_host.h"
#include "render/camera_scene.h"
#include "render/texture_image_source.h"

#include <benchmark/benchmark.h>

#include <memory>

using namespace vorn;

namespace {

// The generator's 60,000-box grid reaches beyond ±8192, where faces lose part or all of their
// polygons; its 20,000-box grid stays inside, every box with six faces.
constexpr int kBrushes = 60000;
constexpr int kWholeBoxes = 20000;
constexpr int kBigMaps[] = {kBrushes, 250000, 1000000};

// An editor holding a generated map, read once for all benchmarks.
class BigMap {
public:
    explicit BigMap(int brushes) : editor_(host_, dialogs_)
    {
        editor_.loadEntityClasses();
        loaded_ = bench::ReadGeneratedMap(editor_, brushes);
    }
    bool loaded() const { return loaded_; }
    CQMap& map() { return editor_.map(); }

private:
    NullHost host_;
    NoDialogs dialogs_;
    Editor editor_;
    bool loaded_ = false;
};

// One map at a time, read again when another size is asked for: the largest takes gigabytes.
BigMap& bigMap(int brushes)
{
    static std::unique_ptr<BigMap> held;
    static int heldBrushes = 0;
    if (!held || heldBrushes != brushes) {
        held.reset();
        held = std::make_unique<BigMap>(brushes);
        heldBrushes = brushes;
    }
    return *held;
}

void BM_BuildCameraScene(benchmark::State& state)
{
    BigMap& big = bigMap(static_cast<int>(state.range(0)));
    if (!big.loaded()) return state.SkipWithError("../shared/tools/genmap.py is not at hand");
    NoTextureSizes sizes;
    CameraScene scene;
    for (auto _ : state) {
        scene.rebuild(big.map(), SceneStyle::Tinted, sizes);
        benchmark::DoNotOptimize(scene.vertices().data());
    }
    state.counters["brushes"] = static_cast<double>(big.map().entity(0).brushCount());
    state.counters["triangles"] = static_cast<double>(scene.triangleIndices().size() / 3);
    state.counters["vertex MB"] = static_cast<double>(scene.vertices().size_bytes()) / 1e6;
    state.counters["index MB"] =
        static_cast<double>(scene.triangleIndices().size_bytes() + scene.lineIndices().size_bytes()) / 1e6;
}
BENCHMARK(BM_BuildCameraScene)->Arg(kWholeBoxes)->Arg(kBrushes)->Arg(250000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Arguments: the map's boxes, and how far the brush moves east.
void BM_UpdateOneMovedBrush(benchmark::State& state)
{
    BigMap& big = bigMap(static_cast<int>(state.range(0)));
    const auto step = static_cast<float>(state.range(1));
    if (!big.loaded()) return state.SkipWithError("../shared/tools/genmap.py is not at hand");
    NoTextureSizes sizes;
    NullDebugOutput log;
    CameraScene scene;
    CQMap& map = big.map();
    scene.rebuild(map, SceneStyle::Tinted, sizes);
    const BrushLocation at{0, map.entity(0).brushCount() / 2};
    MapNotice notice;
    notice.changed = {map.brush(at).id()};
    for (auto _ : state) {
        state.PauseTiming();
        {
            MapChange change(map, "Move");
            change.editBrush(at).Move({step, 0, 0}, TextureLock::Off);
            change.commit();
        }
        state.ResumeTiming();
        scene.follow(map, notice, sizes);
        benchmark::DoNotOptimize(scene.takeChanges());
        state.PauseTiming();
        map.Undo(); // back where it was, and the history stays small
        scene.follow(map, notice, sizes);
        scene.takeChanges();
        state.ResumeTiming();
    }
}
void MovedBrushArguments(benchmark::internal::Benchmark* b)
{
    for (const int brushes : kBigMaps) {
        b->Args({brushes, 16});
        b->Args({brushes, 2048});
    }
}
BENCHMARK(BM_UpdateOneMovedBrush)->Apply(MovedBrushArguments)->Unit(benchmark::kMicrosecond);

} // namespace
