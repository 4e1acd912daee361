// Frames per second of the OpenGL camera view at 800 × 600: on generated maps of 60,000, 250,000
// and 1,000,000 boxes seen from above and from inside, and on the sample map with its monsters and
// items drawn as the models of the shared corpus's game folder (and, for comparison, as boxes).
// Needs a display with OpenGL: run under xvfb-run for the software renderer.

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

#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>

using namespace vorn;

namespace {

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
    Editor& editor() { return editor_; }

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

// Where the camera stands on a generated map.
enum class Placement {
    Over,   // south of the boxes and above them, looking north over them
    Inside, // in the middle at eye height, in a lane between the boxes, looking north-east
};

// The box around the world's brushes: the generated boxes, without the lights beside them.
Bounds worldBounds(const CQMap& map)
{
    std::optional<Bounds> all;
    for (const CQBrush& brush : map.entity(0).brushes()) Include(all, brush.bounds());
    return all.value_or(Bounds{});
}

void place(Editor& editor, Placement placement)
{
    const Bounds bounds = worldBounds(editor.map());
    CameraModel& camera = editor.workspace().camera();
    const float middleX = (bounds.mins.x + bounds.maxs.x) / 2;
    if (placement == Placement::Over) {
        camera.moveTo(middleX, bounds.mins.y - 256);
        camera.setHeight(bounds.maxs.z + 256);
        camera.lookAt(middleX, bounds.maxs.y);
        return;
    }
    // The generator's boxes are 64 wide every 96 units from the west edge.
    const float lane = bounds.mins.x + 96 * std::floor((middleX - bounds.mins.x) / 96) + 80;
    const float middleY = (bounds.mins.y + bounds.maxs.y) / 2;
    camera.placeAt({lane, middleY, 48});
    camera.lookAtPoint({lane + 1000, middleY + 1000, 48});
}

bool loadGeneratedMap(Editor& editor, int brushes)
{
    editor.loadEntityClasses();
    return bench::ReadGeneratedMap(editor, brushes);
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
    SceneRuns runs;
    map.camera().scene().visibleRuns(map.camera().projection(), runs);
    state.counters["draw runs"] = static_cast<double>(mode == RenderMode::Wireframe ? runs.lines.size() : runs.triangles.size());
    size_t indices = 0;
    for (const SceneSpan& run : mode == RenderMode::Wireframe ? runs.lines : runs.triangles) indices += run.count;
    state.counters["indices drawn"] = static_cast<double>(indices);
}

// The generated maps, one at a time: the largest takes gigabytes.
class GeneratedMaps {
public:
    MapView& map(int brushes)
    {
        if (!held_ || brushes_ != brushes) {
            held_.reset();
            held_ = std::make_unique<MapView>([brushes](Editor& editor) { return loadGeneratedMap(editor, brushes); });
            brushes_ = brushes;
        }
        return *held_;
    }
    // Before the application ends: a widget must go first.
    void release() { held_.reset(); }

private:
    std::unique_ptr<MapView> held_;
    int brushes_ = 0;
};

void generatedMapFrames(benchmark::State& state, GeneratedMaps& maps, int brushes, Placement placement, RenderMode mode)
{
    MapView& map = maps.map(brushes);
    place(map.editor(), placement);
    cameraFrames(state, map, mode);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    GeneratedMaps generated;
    const std::pair<const char*, RenderMode> modes[] = {
        {"FlatShaded", RenderMode::FlatShaded}, {"Textured", RenderMode::Textured}, {"Wireframe", RenderMode::Wireframe}};
    const std::pair<const char*, Placement> placements[] = {{"Over", Placement::Over}, {"Inside", Placement::Inside}};
    for (const int brushes : {60000, 250000, 1000000}) {
        for (const auto& [placementName, placement] : placements) {
            for (const auto& [modeName, mode] : modes) {
                const std::string name =
                    std::string("BM_CameraFrames/") + std::to_string(brushes) + "/" + placementName + "/" + modeName;
                benchmark::RegisterBenchmark(name.c_str(),
                                             [&generated, brushes, placement, mode](benchmark::State& state) {
                                                 generatedMapFrames(state, generated, brushes, placement, mode);
                                             })
                    ->Unit(benchmark::kMillisecond)
                    ->UseRealTime();
            }
        }
    }
    // The views live inside the application's lifetime: a widget must go before the application.
    MapView withModels([](Editor& editor) { return loadSampleMap(editor, true); });
    MapView withBoxes([](Editor& editor) { return loadSampleMap(editor, false); });
    const std::tuple<const char*, MapView*, RenderMode> sampleRuns[] = {
        {"BM_SampleMapFrames/Models/Textured", &withModels, RenderMode::Textured},
        {"BM_SampleMapFrames/Models/FlatShaded", &withModels, RenderMode::FlatShaded},
        {"BM_SampleMapFrames/Boxes/Textured", &withBoxes, RenderMode::Textured}};
    for (const auto& [name, view, mode] : sampleRuns) {
        benchmark::RegisterBenchmark(name, [view, mode](benchmark::State& state) { cameraFrames(state, *view, mode); })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::AddCustomContext("GL_RENDERER", withBoxes.renderer());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    generated.release();
    return 0;
}
