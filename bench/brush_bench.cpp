#include "geometry/brush.h"
#include "map/brush_text.h"
#include "map/text_reader.h"
#include "platform/debug_output.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cmath>
#include <string>
#include <vector>

using namespace vorn;

namespace {

// A 16-sided prism standing on z = 0: 16 sides and two caps.
CQBrush prism()
{
    NullDebugOutput log;
    CQBrush b;
    constexpr int kSides = 16;
    const double step = 6.283185308 / kSides;
    auto vertex = [&](int k, float z) {
        const double a = -step / 2 + k * step;
        return Vec3{static_cast<float>(128 * std::cos(a)), static_cast<float>(128 * std::sin(a)), z};
    };
    for (int k = 0; k < kSides; ++k) b.AddFace(CQFace(vertex(k, 0), vertex(k, 64), vertex(k + 1, 64), "WALL"), log);
    b.AddFace(CQFace({0, 0, 64}, {0, 64, 64}, {64, 64, 64}, "WALL"), log);
    b.AddFace(CQFace({0, 0, 0}, {64, 0, 0}, {64, 64, 0}, "WALL"), log);
    return b;
}

void BM_BuildBox(benchmark::State& state)
{
    NullDebugOutput log;
    CQBrush b;
    b.MakeBox({0, 0, 0}, {64, 64, 64}, "WALL", log);
    for (auto _ : state) {
        b.BuildWindings(log);
        benchmark::DoNotOptimize(b.maxs());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BuildBox);

void BM_BuildPrism18(benchmark::State& state)
{
    NullDebugOutput log;
    CQBrush b = prism();
    if (b.numfaces() != 18 || !b.BuildWindings(log)) state.SkipWithError("prism did not build");
    for (auto _ : state) {
        b.BuildWindings(log);
        benchmark::DoNotOptimize(b.maxs());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BuildPrism18);

void BM_ReadFaceLines(benchmark::State& state)
{
    std::string text;
    for (int i = 0; i < 10000; ++i) {
        text += "( 128 -64 0 ) ( 128 -64 64 ) ( 256 -64 64 ) WALL14_6 16 -8 0 1.000000 1.000000\n";
    }
    text += "}\n";
    for (auto _ : state) {
        TextCursor in(text);
        CQFace face;
        int faces = 0;
        while (ReadFace(in, face) == FaceRead::Face) ++faces;
        benchmark::DoNotOptimize(faces);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadFaceLines);

// Heap bytes plus the brush record itself, per built 6-face box, over many boxes.
void BM_BoxMemory(benchmark::State& state)
{
    NullDebugOutput log;
    constexpr int kBrushes = 20000;
    for (auto _ : state) {
        const size_t before = mallinfo2().uordblks;
        std::vector<CQBrush> brushes(kBrushes);
        for (int i = 0; i < kBrushes; ++i) {
            const float x = static_cast<float>(i % 100) * 64;
            const float y = static_cast<float>(i / 100) * 64;
            brushes[static_cast<size_t>(i)].MakeBox({x, y, 0}, {x + 64, y + 64, 64}, "WALL14_6", log);
        }
        const size_t after = mallinfo2().uordblks;
        state.counters["bytes_per_box"] = static_cast<double>(after - before) / kBrushes;
        benchmark::DoNotOptimize(brushes.data());
    }
}
BENCHMARK(BM_BoxMemory)->Iterations(1);

} // namespace
