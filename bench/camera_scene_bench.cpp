// Building the camera's scene of a large generated map, and updating one moved brush in it: by a
// step within its cell of the scene, and across cells.

#include "document/map_notice.h"
#include "editor/editor.h"
#include "generated_map.h"
#include "render/camera_scene.h"
#include "render/texture_image_source.h"

#include <benchmark/benchmark.h>


using namespace vorn;

namespace {

// Maps from the generator, every box with six faces.
constexpr int kBrushes = 60000;
constexpr int kWholeBoxes = 20000;
constexpr int kBigMaps[] = {kBrushes, 250000, 1000000};

void BM_BuildCameraScene(benchmark::State& state)
{
    bench::GeneratedEditor& big = bench::HeldGeneratedEditor(static_cast<int>(state.range(0)));
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
    bench::GeneratedEditor& big = bench::HeldGeneratedEditor(static_cast<int>(state.range(0)));
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
