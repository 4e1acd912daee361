// Texturing faces one by one on a real map: a texture onto 10,000 selected faces and its Undo, and
// the camera's scene after one face's texture was shifted.

#include "document/face_commands.h"
#include "document/map_notice.h"
#include "editor/editor.h"
#include "render/camera_scene.h"
#include "render/texture_image_source.h"

#include "headless_editor.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace vorn;

namespace {

constexpr size_t kFaces = 10000;

// The largest corpus map, read once, with its first 10,000 faces selected.
class TexturedMap {
public:
    TexturedMap()
    {
        const std::filesystem::path path = std::filesystem::path(VORN_CORPUS_DIR) / "maps/valve220/lq_e1m1.map";
        if (!std::filesystem::exists(path) || !headless_.editor.openMap(path.string())) return;
        SelectionState state{map().currentIndex(), {}, {}};
        for (int e = 0; e < map().EntityCount(); ++e) {
            if (!map().entity(e).isModifiable()) continue;
            for (const CQBrush& brush : map().entity(e).brushes()) {
                for (int f = 0; f < brush.numfaces() && state.faces.size() < kFaces; ++f) state.faces.push_back({brush.id(), f});
            }
        }
        map().select(state);
        loaded_ = map().selectedFaces().size() == kFaces;
    }
    bool loaded() const { return loaded_; }
    CQMap& map() { return headless_.editor.map(); }

private:
    bench::HeadlessEditor headless_;
    bool loaded_ = false;
};

TexturedMap& texturedMap()
{
    static TexturedMap map;
    return map;
}

void BM_TextureTenThousandFacesAndUndo(benchmark::State& state)
{
    TexturedMap& textured = texturedMap();
    if (!textured.loaded()) return state.SkipWithError("no corpus map with 10,000 faces");
    for (auto _ : state) {
        SetFacesTexture(textured.map(), "BENCH_TEXTURE");
        textured.map().Undo();
    }
}
BENCHMARK(BM_TextureTenThousandFacesAndUndo)->Unit(benchmark::kMillisecond);

void BM_CameraAfterOneFaceEdit(benchmark::State& state)
{
    TexturedMap& textured = texturedMap();
    if (!textured.loaded()) return state.SkipWithError("no corpus map with 10,000 faces");
    CQMap& map = textured.map();
    NoTextureSizes sizes;
    CameraScene scene;
    scene.rebuild(map, SceneStyle::Tinted, sizes);
    const SelectionState tenThousand = map.selectionState();
    const FaceRef face = map.selectedFaces().front();
    map.select({map.currentIndex(), {}, {face}});
    MapNotice notice;
    notice.changed = {face.brush};
    for (auto _ : state) {
        state.PauseTiming();
        SetFacesSurface(map, SurfaceField::OffsetX, static_cast<double>(state.iterations() % 64));
        state.ResumeTiming();
        scene.follow(map, notice, sizes);
        benchmark::DoNotOptimize(scene.takeChanges());
    }
    map.select(tenThousand);
}
BENCHMARK(BM_CameraAfterOneFaceEdit)->Unit(benchmark::kMicrosecond);

} // namespace
