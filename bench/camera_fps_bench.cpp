// Frames per second of the OpenGL camera view at 800 × 600: on a large generated map, and on the
// sample map with its monsters and items drawn as the models of the shared corpus's game folder
// (and, for comparison, as boxes). Needs a display with OpenGL: run under xvfb-run for the
// software renderer.

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

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

using namespace vorn;

namespace {

constexpr int kBrushes = 60000;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kExposeWaitMs = 5000;

// A camera view of a map the loader reads into the editor and places the camera in.
class MapView {
public:
    // `load` reads the map and places the camera; false when what it needs is not at hand.
    explicit MapView(const std::function<bool(Editor&)>& load) : editor_(host_, dialogs_)
    {
        if (!CMy3DCameraView::platformCanDraw() || !load(editor_)) return;
        view_ = std::make_unique<CMy3DCameraView>(editor_);
        view_->resize(kWidth, kHeight);
        view_->show();
        QElapsedTimer waited;
        waited.start();
        while (!view_->isValid() && waited.elapsed() < kExposeWaitMs) QApplication::processEvents();
    }
    ~MapView() { view_.reset(); }

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

// The generated map, the camera south of it and above it, looking over it all.
bool loadBigMap(Editor& editor)
{
    editor.loadEntityClasses();
    if (!bench::ReadGeneratedMap(editor, kBrushes)) return false;
    const Bounds bounds = editor.map().GetMapBounds(true);
    CameraModel& camera = editor.workspace().camera();
    camera.moveTo((bounds.mins.x + bounds.maxs.x) / 2, bounds.mins.y - 256);
    camera.setHeight(bounds.maxs.z + 256);
    return true;
}

// The sample map, with the classes of the corpus's Quake.fgd and its game folder's models when
// `models`, else with the bundled classes and their boxes; the camera in the east room, looking
// at the grunt and the dog.
bool loadSampleMap(Editor& editor, bool models)
{
    const std::filesystem::path corpus(VORN_CORPUS_DIR);
    if (models) {
        if (!std::filesystem::exists(corpus / "game")) return false;
        editor.prefs().entityList = (corpus / "entities" / "Quake.fgd").string();
        editor.prefs().gameFolder = (corpus / "game").string();
        editor.gameFolderChanged();
    }
    if (editor.loadEntityClasses() || !editor.openMap(VORN_RESOURCES_DIR "/maps/sample.map")) return false;
    CameraModel& camera = editor.workspace().camera();
    camera.moveTo(680, 240);
    camera.setHeight(64);
    camera.lookAt(1000, 240);
    return true;
}

void cameraFrames(benchmark::State& state, MapView& map, RenderMode mode)
{
    CMy3DCameraView* view = map.view();
    if (!view) return state.SkipWithError("no OpenGL display or no map");
    map.camera().chooseMode(mode);
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
    // The views live inside the application's lifetime: a widget must go before the application.
    MapView big(loadBigMap);
    MapView withModels([](Editor& editor) { return loadSampleMap(editor, true); });
    MapView withBoxes([](Editor& editor) { return loadSampleMap(editor, false); });
    const std::tuple<const char*, MapView*, RenderMode> runs[] = {
        {"BM_CameraFrames/FlatShaded", &big, RenderMode::FlatShaded},
        {"BM_CameraFrames/Textured", &big, RenderMode::Textured},
        {"BM_CameraFrames/Wireframe", &big, RenderMode::Wireframe},
        {"BM_SampleMapFrames/Models/Textured", &withModels, RenderMode::Textured},
        {"BM_SampleMapFrames/Models/FlatShaded", &withModels, RenderMode::FlatShaded},
        {"BM_SampleMapFrames/Boxes/Textured", &withBoxes, RenderMode::Textured}};
    for (const auto& [name, view, mode] : runs) {
        benchmark::RegisterBenchmark(name, [view, mode](benchmark::State& state) { cameraFrames(state, *view, mode); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::AddCustomContext("GL_RENDERER", big.renderer());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
