// One step's cost on the generated maps of 60,000 to 1,000,000 boxes: moving one brush, undoing and
// redoing it, the memory a thousand such steps hold, and moving every brush of the map and undoing
// that.

#include "document/selection_edits.h"
#include "generated_map.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

using namespace vorn;

namespace {

// The editor of the generated map of the benchmark's first argument, the camera view on when its
// second argument (if any) is 1: its scene then follows every change.
bench::GeneratedEditor* bigMap(benchmark::State& state)
{
    bench::GeneratedEditor& big = bench::HeldGeneratedEditor(static_cast<int>(state.range(0)));
    if (!big.loaded()) {
        state.SkipWithError("../shared/tools/genmap.py is not at hand");
        return nullptr;
    }
    CameraController& camera = big.editor().cameraView();
    if (state.range(1) != 0) {
        camera.chooseMode(RenderMode::Wireframe);
    } else {
        camera.turnOff();
    }
    state.counters["brushes"] = big.map().entity(0).brushCount();
    return &big;
}

// One brush in the middle of the world, alone selected.
void selectOne(CQMap& map)
{
    map.DeselectAll();
    map.selectBrush({0, map.entity(0).brushCount() / 2}, true);
}

size_t heapInUse()
{
    return mallinfo2().uordblks;
}

// Times `step` alone; `reverse` runs untimed after each, so that every iteration starts alike.
template <typename Step, typename Reverse>
void timeStep(benchmark::State& state, Step step, Reverse reverse)
{
    for (auto _ : state) {
        step();
        state.PauseTiming();
        reverse();
        state.ResumeTiming();
    }
}

void BM_MoveOneBrush(benchmark::State& state)
{
    bench::GeneratedEditor* big = bigMap(state);
    if (!big) return;
    CQMap& map = big->map();
    selectOne(map);
    timeStep(state, [&] { NudgeSelection(map, {16, 0, 0}); }, [&] { map.Undo(); });
}

void BM_UndoMoveOfOneBrush(benchmark::State& state)
{
    bench::GeneratedEditor* big = bigMap(state);
    if (!big) return;
    CQMap& map = big->map();
    selectOne(map);
    NudgeSelection(map, {16, 0, 0});
    timeStep(state, [&] { map.Undo(); }, [&] { map.Redo(); });
    map.Undo();
}

void BM_RedoMoveOfOneBrush(benchmark::State& state)
{
    bench::GeneratedEditor* big = bigMap(state);
    if (!big) return;
    CQMap& map = big->map();
    selectOne(map);
    NudgeSelection(map, {16, 0, 0});
    map.Undo();
    timeStep(state, [&] { map.Redo(); }, [&] { map.Undo(); });
}

// The heap a thousand one-brush moves hold in the history, per step.
void BM_MemoryOfAThousandMoves(benchmark::State& state)
{
    bench::GeneratedEditor* big = bigMap(state);
    if (!big) return;
    CQMap& map = big->map();
    constexpr int kSteps = 1000;
    selectOne(map);
    // A first step drops what earlier benchmarks left to redo, which would free memory meanwhile.
    NudgeSelection(map, {16, 0, 0});
    size_t held = 0;
    for (auto _ : state) {
        const size_t before = heapInUse();
        for (int i = 0; i < kSteps; ++i) NudgeSelection(map, {i % 2 == 0 ? -16.0f : 16.0f, 0, 0});
        held = heapInUse() - before;
    }
    for (int i = 0; i <= kSteps; ++i) map.Undo();
    state.counters["MB held"] = static_cast<double>(held) / 1e6;
    state.counters["bytes per step"] = static_cast<double>(held) / kSteps;
}

void BM_SelectAllAndMove(benchmark::State& state)
{
    bench::GeneratedEditor* big = bigMap(state);
    if (!big) return;
    CQMap& map = big->map();
    map.SetCurrentEntityByIndex(0);
    timeStep(
        state,
        [&] {
            map.SelectAll();
            NudgeSelection(map, {16, 0, 0});
        },
        [&] {
            map.Undo();
            map.DeselectAll();
        });
}

void BM_UndoMoveOfEveryBrush(benchmark::State& state)
{
    bench::GeneratedEditor* big = bigMap(state);
    if (!big) return;
    CQMap& map = big->map();
    map.SetCurrentEntityByIndex(0);
    map.SelectAll();
    NudgeSelection(map, {16, 0, 0});
    timeStep(state, [&] { map.Undo(); }, [&] { map.Redo(); });
    map.Undo();
    map.DeselectAll();
}

// Registered map by map, so that each map is read once.
const bool registered = [] {
    for (const int brushes : {60000, 250000, 1000000}) {
        const auto add = [brushes](const char* name, void (*run)(benchmark::State&), int camera) {
            return benchmark::RegisterBenchmark(name, run)->ArgNames({"brushes", "camera"})->Args({brushes, camera});
        };
        add("BM_MoveOneBrush", BM_MoveOneBrush, 0)->Unit(benchmark::kMicrosecond);
        add("BM_UndoMoveOfOneBrush", BM_UndoMoveOfOneBrush, 0)->Unit(benchmark::kMicrosecond);
        add("BM_RedoMoveOfOneBrush", BM_RedoMoveOfOneBrush, 0)->Unit(benchmark::kMicrosecond);
        add("BM_MemoryOfAThousandMoves", BM_MemoryOfAThousandMoves, 0)->Iterations(1)->Unit(benchmark::kMillisecond);
        // Every brush moved at once: the goal is for 250,000; a million takes seconds.
        if (brushes > 250000) continue;
        for (const int camera : {0, 1}) {
            add("BM_SelectAllAndMove", BM_SelectAllAndMove, camera)->Unit(benchmark::kMillisecond);
            add("BM_UndoMoveOfEveryBrush", BM_UndoMoveOfEveryBrush, camera)->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

} // namespace
