// Frames per second of the OpenGL camera view at 800 × 600 on a large generated map. Needs a
// display with OpenGL: run under xvfb-run for the software renderer.

#include "camera_view.h"
#include "editor/editor.h"
#include "generated_map.h"
#include "document/no_dialogs.h"
#include "platform/null_host.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QOpenGLContext>
#include <QOpenGLFunctions>

#include <memory>
#include <string>
#include <utility>

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

void cameraFrames(benchmark::State& state, BigMapView& big, RenderMode mode)
{
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

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    // The view lives inside the application's lifetime: a widget must go before the application.
    BigMapView big;
    const std::pair<const char*, RenderMode> modes[] = {
        {"BM_CameraFrames/FlatShaded", RenderMode::FlatShaded},
        {"BM_CameraFrames/Textured", RenderMode::Textured},
        {"BM_CameraFrames/Wireframe", RenderMode::Wireframe}};
    for (const auto& [name, mode] : modes) {
        benchmark::RegisterBenchmark(name, [&big, mode](benchmark::State& state) { cameraFrames(state, big, mode); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::AddCustomContext("GL_RENDERER", big.renderer());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
