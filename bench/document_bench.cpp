#include "document/curved_primitives.h"
#include "document/primitives.h"
#include "geometry/brush.h"
#include "geometry/clip_points.h"
#include "map/entity.h"
#include "platform/debug_output.h"
#include "platform/null_host.h"

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

// `count` unselected 32-unit boxes in a square grid `spacing` apart, centred on the origin so that
// the map stays within the game's +-4096 limits.
CQEntity grid(int count, float spacing)
{
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const float start = -spacing * static_cast<float>(side) / 2;
    CQEntity e;
    for (int i = 0; i < count; ++i) {
        const float x = start + spacing * static_cast<float>(i % side);
        const float y = start + spacing * static_cast<float>(i / side);
        e.AddBrush(box({x, y, 0}, {x + 32, y + 32, 32}));
        e.brushes().back().SetSelected(false);
    }
    return e;
}

// The grid of targets with one selected flat cutter through the middle height of all of them.
CQEntity gridWithCutter(int count)
{
    CQEntity e = grid(count, 32);
    const float reach = 16.0f * std::ceil(std::sqrt(static_cast<float>(count))) + 16;
    e.AddBrush(box({-reach, -reach, 8}, {reach, reach, 24}));
    return e;
}

void BM_SubtractCutterAcrossTargets(benchmark::State& state)
{
    NullDebugOutput log;
    const auto count = static_cast<int>(state.range(0));
    const CQEntity start = gridWithCutter(count);
    CQEntity e;
    for (auto _ : state) {
        // Copying the targets in and freeing the last result stay out of the timing.
        state.PauseTiming();
        e = start;
        state.ResumeTiming();
        SubtractSelection(e, log);
        benchmark::DoNotOptimize(e.brushCount());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_SubtractCutterAcrossTargets)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_MakeTube16(benchmark::State& state)
{
    NullDebugOutput log;
    const CQEntity start = [] {
        CQEntity e;
        e.AddBrush(box({0, 0, 0}, {256, 256, 128}));
        return e;
    }();
    for (auto _ : state) {
        CQEntity e = start;
        MakeTube(e, 0, 0, 16, 16, "PIPE", log);
        benchmark::DoNotOptimize(e.brushCount());
    }
}
BENCHMARK(BM_MakeTube16)->Unit(benchmark::kMicrosecond);

void BM_MakeArch16(benchmark::State& state)
{
    NullHost host;
    const CQEntity start = [] {
        CQEntity e;
        e.AddBrush(box({0, 0, 0}, {512, 64, 256}));
        return e;
    }();
    for (auto _ : state) {
        CQEntity e = start;
        MakeArch(e, 0, 0, 16, 16, "ARCH", host);
        benchmark::DoNotOptimize(e.brushCount());
    }
}
BENCHMARK(BM_MakeArch16)->Unit(benchmark::kMicrosecond);

void BM_RotateSelection10000(benchmark::State& state)
{
    NullDebugOutput log;
    CQEntity e = grid(10000, 40);
    e.SelectAllBrushes();
    for (auto _ : state) {
        e.RotateSelectionZ(15, log);
        benchmark::DoNotOptimize(e.brushes()[0].mins());
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_RotateSelection10000)->Unit(benchmark::kMillisecond);

} // namespace
