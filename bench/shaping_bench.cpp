// Shaping brushes on large maps: one step of a vertex drag with the camera following it, a Merge
// of 100 brushes and a Duplicate of 10,000.

#include "document/brush_commands.h"
#include "document/edit_commands.h"
#include "document/map_notice.h"
#include "editor/editor.h"
#include "generated_map.h"
#include "render/camera_scene.h"
#include "render/texture_image_source.h"
#include "ui/vertex_mode.h"

#include <benchmark/benchmark.h>

using namespace vorn;

namespace {

constexpr int kBrushes = 60000;

// An editor holding a generated map, with the camera's scene following its changes.
class ShapedMap : public MapListener {
public:
    explicit ShapedMap(int brushes)
    {
        headless_.editor.loadEntityClasses();
        loaded_ = bench::ReadGeneratedMap(headless_.editor, brushes);
        scene_.rebuild(map(), SceneStyle::Tinted, sizes_);
        map().addListener(*this);
    }
    ~ShapedMap() { map().removeListener(*this); }
    ShapedMap(const ShapedMap&) = delete;
    ShapedMap& operator=(const ShapedMap&) = delete;

    void mapChanged(const MapNotice& notice) override
    {
        scene_.follow(map(), notice, sizes_);
        benchmark::DoNotOptimize(scene_.takeChanges());
    }

    bool loaded() const { return loaded_; }
    CQMap& map() { return headless_.editor.map(); }
    Host& host() { return headless_.host; }

    // Only the `count` brushes from `first` of the world are selected.
    void select(int first, int count)
    {
        map().DeselectAll();
        for (int b = first; b < first + count; ++b) map().selectBrush({0, b}, true);
    }

private:
    bench::HeadlessEditor headless_;
    NoTextureSizes sizes_;
    CameraScene scene_;
    bool loaded_ = false;
};

// The map, read once for all the benchmarks; each leaves it as it found it.
ShapedMap& bigMap()
{
    static ShapedMap map(kBrushes);
    return map;
}

// A step of a drag of one corner: the brush takes its new shape and the camera's scene follows.
void BM_VertexDragStep(benchmark::State& state)
{
    ShapedMap& big = bigMap();
    if (!big.loaded()) return state.SkipWithError("../shared/tools/genmap.py is not at hand");
    CQMap& map = big.map();
    big.select(map.entity(0).brushCount() / 2, 1);
    VertexMode mode;
    mode.setOn(true);
    const std::vector<HandleRef> handles = mode.handles(map);
    const auto corner = std::ranges::find(handles, HandleKind::Vertex, &HandleRef::kind);
    mode.select(std::span(&*corner, 1), false);
    mode.beginMove(map);
    MapChange drag(map, "Move Vertices");
    double step = 0;
    for (auto _ : state) {
        step = step == 8 ? 16 : 8; // out and further out, as a drag goes
        if (mode.moveTo(drag, {step, step, 0}, big.host())) return state.SkipWithError("the corner's move was refused");
        drag.publish();
    }
    mode.endMove(); // the drag is never committed: the brush goes back as it was
}
BENCHMARK(BM_VertexDragStep)->Unit(benchmark::kMicrosecond);

void BM_Merge100(benchmark::State& state)
{
    ShapedMap& big = bigMap();
    if (!big.loaded()) return state.SkipWithError("../shared/tools/genmap.py is not at hand");
    for (auto _ : state) {
        state.PauseTiming();
        big.select(0, 100);
        state.ResumeTiming();
        MergeSelection(big.map(), big.host());
        state.PauseTiming();
        big.map().Undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Merge100)->Unit(benchmark::kMillisecond);

void BM_Duplicate10000(benchmark::State& state)
{
    ShapedMap& big = bigMap();
    if (!big.loaded()) return state.SkipWithError("../shared/tools/genmap.py is not at hand");
    for (auto _ : state) {
        state.PauseTiming();
        big.select(0, 10000);
        state.ResumeTiming();
        DuplicateSelection(big.map(), {16, 0, -16}, big.host());
        state.PauseTiming();
        big.map().Undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Duplicate10000)->Unit(benchmark::kMillisecond);

} // namespace
