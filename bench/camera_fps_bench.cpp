// Frames per second of the OpenGL camera view at 800 × 600 on a large generated map. Needs a
// display with OpenGL: run under xvfb-run for the software renderer.

#include "camera_view.h"
#include "editor/editor.h"
#include "generated_map.h"
#include "platform/file_io.h"
#include "document/no_dialogs.h"
#include "platform/null_host.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

using namespace vorn;

namespace {

constexpr int kBrushes = 60000;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kExposeWaitMs = 5000;

// The camera view of the generated map, standing south of it and above it, looking over it all.
class BigMapView {
public:
    BigMapView() : editor_(host_, dialogs_)
    {
        editor_.loadEntityClasses();
        if (!CMy3DCameraView::platformCanDraw() || !bench::ReadGeneratedMap(editor_, kBrushes)) return;
        const Bounds bounds = editor_.map().GetMapBounds(true);
        CameraModel& camera = editor_.workspace().camera();
        camera.moveTo((bounds.mins.x + bounds.maxs.x) / 2, bounds.mins.y - 256);
        camera.setHeight(bounds.maxs.z + 256);
        view_ = std::make_unique<CMy3DCameraView>(editor_);
        view_->resize(kWidth, kHeight);
        view_->show();
        QElapsedTimer waited;
        waited.start();
        while (!view_->isValid() && waited.elapsed() < kExposeWaitMs) QApplication::processEvents();
    }
    ~BigMapView() { view_.reset(); }

    CMy3DCameraView* view() { return view_ && view_->isValid() && !view_->failed() ? view_.get() : nullptr; }
    CameraController& camera() { return editor_.cameraView(); }

    std::string renderer()
    {
        if (!view()) return "none";
        view_->makeCurrent();
        const auto* name = view_->context()->functions()->glGetString(GL_RENDERER);
        std::string text = name ? reinterpret_cast<const char*>(name) : "unknown";
        view_->doneCurrent();
        return text;
    }

private:
    NullHost host_;
    NoDialogs dialogs_;
    Editor editor_;
    std::unique_ptr<CMy3DCameraView> view_;
};

BigMapView& bigMapView()
{
    static BigMapView view;
    return view;
}

void BM_CameraFrames(benchmark::State& state, RenderMode mode)
{
    BigMapView& big = bigMapView();
    CMy3DCameraView* view = big.view();
    if (!view) return state.SkipWithError("no OpenGL display or no generated map");
    big.camera().chooseMode(mode);
    view->grabFramebuffer(); // the first frame sends the whole scene
    for (auto _ : state) {
        // Each grab draws one whole frame and waits for it.
        benchmark::DoNotOptimize(view->grabFramebuffer());
        if (view->lastDrawError() != 0) return state.SkipWithError("OpenGL reported an error");
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(BM_CameraFrames, FlatShaded, RenderMode::FlatShaded)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_CameraFrames, Textured, RenderMode::Textured)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_CameraFrames, Wireframe, RenderMode::Wireframe)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::AddCustomContext("GL_RENDERER", bigMapView().renderer());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
