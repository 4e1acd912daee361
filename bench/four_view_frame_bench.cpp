// The four-view window's frame while a drag moves one brush: the move, its notice, and the camera
// and the three 2D panes painted again. Needs a display with OpenGL: run under xvfb-run.

#include "document/selection_edits.h"
#include "editor/editor.h"
#include "main_frame.h"
#include "vorn_application.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>
#include <QTimer>

using namespace vorn;

namespace {

constexpr const char* kMap = VORN_CORPUS_DIR "/maps/e1m1.map";

void fourViewFrames(benchmark::State& state, VornApplication& app)
{
    CQMap& map = app.editor().map();
    if (map.EntityCount() == 0) return state.SkipWithError("the corpus map is not here");
    map.DeselectAll();
    map.selectBrush({0, map.entity(0).brushCount() / 2}, true);
    float step = 16;
    for (auto _ : state) {
        NudgeSelection(map, {step, 0, 0});
        step = -step;
        app.frame().repaint();
    }
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    benchmark::Initialize(&argc, argv);
    // Messages about archives the corpus map names but does not bring are answered at once.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
    });
    answer.start(50);
    QTemporaryDir folder;
    qputenv("XDG_DATA_HOME", folder.path().toUtf8());
    {
        VornApplication app(folder.filePath("Vorn.conf"));
        app.start(QString::fromLatin1(kMap));
        app.frame().resize(1600, 1000);
        QApplication::processEvents();
        benchmark::RegisterBenchmark("BM_FourViewFrameWhileADragMovesOneBrush",
                                     [&app](benchmark::State& state) { fourViewFrames(state, app); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RunSpecifiedBenchmarks();
        app.frame().close();
    }
    benchmark::Shutdown();
    return 0;
}
