#include "document/brush_commands.h"
#include "document/curved_primitives.h"
#include "document/primitives.h"
#include "document/selection_edits.h"
#include "editor/editor.h"

#include "headless_editor.h"

#include <benchmark/benchmark.h>

#include <cmath>

using namespace vorn;

namespace {

CQBrush box(Vec3 lo, Vec3 hi)
{
    NullDebugOutput log;
    CQBrush b;
    b.MakeBox(lo, hi, "WALL", log);
    return b;
}

// An editor whose world holds `count` 32-unit boxes in a square grid `spacing` apart, centred on
// the origin so that the map stays within the game's +-4096 limits.
class GridMap {
public:
    GridMap(int count, float spacing)
    {
        const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
        const float start = -spacing * static_cast<float>(side) / 2;
        CQEntity world;
        world.SetValue("\"classname\"", "\"worldspawn\"");
        world.setWorld(true);
        for (int i = 0; i < count; ++i) {
            const float x = start + spacing * static_cast<float>(i % side);
            const float y = start + spacing * static_cast<float>(i / side);
            world.AddBrush(box({x, y, 0}, {x + 32, y + 32, 32}));
        }
        MapChange change(map(), "Build");
        change.setCurrentEntity(change.addEntity(std::move(world)));
        change.commit();
    }
    CQMap& map() { return headless_.editor.map(); }
    Host& host() { return headless_.host; }

private:
    bench::HeadlessEditor headless_;
};

// The grid of targets with one selected flat cutter through the middle height of all of them.
void BM_SubtractCutterAcrossTargets(benchmark::State& state)
{
    const auto count = static_cast<int>(state.range(0));
    GridMap grid(count, 32);
    const float reach = 16.0f * std::ceil(std::sqrt(static_cast<float>(count))) + 16;
    AddNewBrush(grid.map(), box({-reach, -reach, 8}, {reach, reach, 24}));
    for (auto _ : state) {
        SubtractSelection(grid.map(), grid.host());
        benchmark::DoNotOptimize(grid.map().entity(0).brushCount());
        state.PauseTiming();
        grid.map().Undo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_SubtractCutterAcrossTargets)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_MakeTube16(benchmark::State& state)
{
    NullDebugOutput log;
    const CQBrush source = box({0, 0, 0}, {256, 256, 128});
    for (auto _ : state) benchmark::DoNotOptimize(MakeTube(source, 0, 16, 16, "PIPE", log));
}
BENCHMARK(BM_MakeTube16)->Unit(benchmark::kMicrosecond);

void BM_MakeArch16(benchmark::State& state)
{
    NullDebugOutput log;
    const CQBrush source = box({0, 0, 0}, {512, 64, 256});
    for (auto _ : state) benchmark::DoNotOptimize(MakeArch(source, 0, 16, 16, "ARCH", log));
}
BENCHMARK(BM_MakeArch16)->Unit(benchmark::kMicrosecond);

void BM_RotateSelection10000(benchmark::State& state)
{
    GridMap grid(10000, 40);
    grid.map().SelectAll();
    for (auto _ : state) {
        RotateSelectionZ(grid.map(), grid.map().rotation.z, grid.host());
        benchmark::DoNotOptimize(grid.map().entity(0).brush(0).mins());
        state.PauseTiming();
        grid.map().Undo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_RotateSelection10000)->Unit(benchmark::kMillisecond);

} // namespace
