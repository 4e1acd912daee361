// One step's cost on a large map: moving one brush, undoing and redoing it, the memory a thousand
// such steps hold, and moving every brush of the map and undoing that.

#include "document/no_dialogs.h"
#include "document/selection_edits.h"
#include "editor/editor.h"
#include "generated_map.h"
#include "platform/null_host.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <map>
#include <memory>

using namespace vorn;

namespace {

constexpr int kBrushes = 60000;

// An editor holding the generated map, read once for all benchmarks. The editor follows every
// change as the program does; only the window is missing.
class BigMap {
public:
    BigMap() : editor_(host_, dialogs_)
    {
        editor_.loadEntityClasses();
        loaded_ = bench::ReadGeneratedMap(editor_, kBrushes);
    }
    bool loaded() const { return loaded_; }
    CQMap& map() { return editor_.map(); }
    Host& host() { return host_; }
    // The camera view on or off: when on, its scene follows every change.
    void showCamera(bool on)
    {
        if (on) {
            editor_.cameraView().chooseMode(RenderMode::Wireframe);
        } else {
            editor_.cameraView().turnOff();
        }
    }
    // One brush in the middle of the world, alone selected.
    void selectOne()
    {
        map().DeselectAll();
        map().selectBrush({0, map().entity(0).brushCount() / 2}, true);
    }

private:
    NullHost host_;
    NoDialogs dialogs_;
    Editor editor_;
    bool loaded_ = false;
};

BigMap& bigMap()
{
    static BigMap map;
    return map;
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
    BigMap& big = bigMap();
    if (!big.loaded()) return state.SkipWithError("../shared/tools/genmap.py is not at hand");
    big.selectOne();
    timeStep(state, [&] { NudgeSelection(big.map(), {16, 0, 0}); }, [&] { big.map().Undo(); });
}
BENCHMARK(BM_MoveOneBrush)->Unit(benchmark::kMicrosecond);

void BM_UndoMoveOfOneBrush(benchmark::State& state)
{
    BigMap& big = bigMap();
    if (!big.loaded()) return state.SkipWithError("../shared/tools/genmap.py is not at hand");
    big.selectOne();
    NudgeSelection(big.map(), {16, 0, 0});
    timeStep(state, [&] { big.map().Undo(); }, [&] { big.map().Redo(); });
    big.map().Undo();
}
BENCHMARK(BM_UndoMoveOfOneBrush)->Unit(benchmark::kMicrosecond);

void BM_RedoMoveOfOneBrush(benchmark::State& state)
{
    BigMap& big = bigMap();
    if (!big.loaded()) return state.SkipWithError("../shared/tools/genmap.py is not at hand");
    big.selectOne();
    NudgeSelection(big.map(), {16, 0, 0});
    big.map().Undo();
    timeStep(state, [&] { big.map().Redo(); }, [&] { big.map().Undo(); });
}
BENCHMARK(BM_RedoMoveOfOneBrush)->Unit(benchmark::kMicrosecond);

// The heap a thousand one-brush moves hold in the history, per step.
void BM_MemoryOfAThousandMoves(benchmark::State& state)
{
    BigMap& big = bigMap();
    if (!big.loaded()) return state.SkipWithError("../shared/tools/genmap.py is not at hand");
    constexpr int kSteps = 1000;
    big.selectOne();
    // A first step drops what earlier benchmarks left to redo, which would free memory meanwhile.
    NudgeSelection(big.map(), {16, 0, 0});
    size_t held = 0;
    for (auto _ : state) {
        const size_t before = heapInUse();
        for (int i = 0; i < kSteps; ++i) NudgeSelection(big.map(), {i % 2 == 0 ? -16.0f : 16.0f, 0, 0});
        held = heapInUse() - before;
    }
    for (int i = 0; i <= kSteps; ++i) big.map().Undo();
    state.counters["MB held"] = static_cast<double>(held) / 1e6;
    state.counters["bytes per step"] = static_cast<double>(held) / kSteps;
}
BENCHMARK(BM_MemoryOfAThousandMoves)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_SelectAllAndMove(benchmark::State& state)
{
    BigMap& big = bigMap();
    if (!big.loaded()) return state.SkipWithError("../shared/tools/genmap.py is not at hand");
    big.showCamera(state.range(0) != 0);
    big.map().SetCurrentEntityByIndex(0);
    timeStep(
        state,
        [&] {
            big.map().SelectAll();
            NudgeSelection(big.map(), {16, 0, 0});
        },
        [&] {
            big.map().Undo();
            big.map().DeselectAll();
        });
    state.counters["brushes"] = big.map().entity(0).brushCount();
    big.showCamera(false);
}
BENCHMARK(BM_SelectAllAndMove)->ArgName("camera")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_UndoMoveOfEveryBrush(benchmark::State& state)
{
    BigMap& big = bigMap();
    if (!big.loaded()) return state.SkipWithError("../shared/tools/genmap.py is not at hand");
    big.showCamera(state.range(0) != 0);
    big.map().SetCurrentEntityByIndex(0);
    big.map().SelectAll();
    NudgeSelection(big.map(), {16, 0, 0});
    timeStep(state, [&] { big.map().Undo(); }, [&] { big.map().Redo(); });
    big.map().Undo();
    big.map().DeselectAll();
    big.showCamera(false);
}
BENCHMARK(BM_UndoMoveOfEveryBrush)->ArgName("camera")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
