// Painting the 2D views (from the top, the front and the side: argument 0, 1, 2) and the Z view of a
// large map with QPainter into an image, the way the widgets do.

#include "editor/editor.h"
#include "generated_map.h"
#include "qpainter_canvas.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <random>

using namespace vorn;

namespace {

constexpr int kBrushes = 20000;
constexpr int kDoors = 250;        // brush entities of four brushes each, besides the world
constexpr int kSelectedEvery = 97; // a scattering of selected world brushes
constexpr int kXYWidth = 1600;
constexpr int kXYHeight = 1000;
constexpr int kZWidth = 200;

// The whole map in view.
void zoomOut(CXYView& xy)
{
    const MapExtents& e = xy.extents();
    const float scale = std::min(static_cast<float>(kXYWidth) / static_cast<float>(e.right - e.left),
                                 static_cast<float>(kXYHeight) / static_cast<float>(e.top - e.bottom));
    xy.zoomAbout(scale, {0, 0});
    xy.centreOn((e.left + e.right) / 2, (e.top + e.bottom) / 2);
}

// One unit per pixel, over the middle of the map.
void zoomIn(CXYView& xy)
{
    xy.zoomAbout(1.0f, {0, 0});
    xy.centreOn(0, 0);
}

// An editor holding a world of boxes of assorted sizes spread over ±4000 units, every tenth turned
// so that its top is no rectangle, and doors with an "angle" and a class name to draw.
class PaintedMap {
public:
    PaintedMap()
    {
        std::mt19937 random(20000);
        std::uniform_int_distribution<int> place(-250, 249); // in 16-unit steps
        std::uniform_int_distribution<int> extent(1, 8);     // likewise
        const auto randomBox = [&] {
            const Vec3 lo{16.0f * static_cast<float>(place(random)), 16.0f * static_cast<float>(place(random)),
                          16.0f * static_cast<float>(place(random) / 4)};
            return std::pair{lo, lo + Vec3{16.0f * static_cast<float>(extent(random)),
                                           16.0f * static_cast<float>(extent(random)),
                                           16.0f * static_cast<float>(extent(random))}};
        };

        CQMap& map = headless_.editor.map();
        MapChange change(map, "Build");
        CQEntity world;
        world.SetValue("\"classname\"", "\"worldspawn\"");
        world.setWorld(true);
        const int worldBrushes = kBrushes - 4 * kDoors;
        for (int i = 0; i < worldBrushes; ++i) {
            const auto [lo, hi] = randomBox();
            CQBrush b;
            b.MakeBox(lo, hi, "WALL14_6", headless_.host);
            if (i % 10 == 0) {
                const Vec3 centre = b.Centre();
                b.Move(centre * -1.0f, TextureLock::Off);
                b.RotateZ(30, TextureLock::Off, headless_.host);
                b.Move(centre, TextureLock::Off);
            }
            world.AddBrush(b);
        }
        change.addEntity(std::move(world));

        for (int d = 0; d < kDoors; ++d) {
            CQEntity door;
            door.SetValue("\"classname\"", "\"func_door\"");
            door.SetValue("\"angle\"", Quoted(std::to_string(d % 360)));
            for (int k = 0; k < 4; ++k) {
                const auto [lo, hi] = randomBox();
                CQBrush b;
                b.MakeBox(lo, hi, "DOOR02_1", headless_.host);
                door.AddBrush(b);
            }
            change.addEntity(std::move(door));
        }
        change.commit();
        for (int i = 0; i < worldBrushes; i += kSelectedEvery) map.selectBrush({0, i}, true);

        const Bounds bounds = map.GetMapBounds(true);
        for (int i = 0; i < Editor::kViews2D; ++i) {
            CXYView& view = headless_.editor.view2D(i);
            view.growExtents(bounds.mins, bounds.maxs);
            view.setClientSize(kXYWidth, kXYHeight);
        }
        headless_.editor.zView().setClientSize(kZWidth, kXYHeight, 16);
        headless_.editor.workspace().setZColumn({8, 8});
    }

    Editor& editor() { return headless_.editor; }

private:
    bench::HeadlessEditor headless_;
};

PaintedMap& paintedMap()
{
    static PaintedMap map;
    return map;
}

// Paints the XY view as its widget does: the window scrolled to the view's position.
void paintXY(CXYView& view, QImage& image)
{
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-view.scrollX(), -view.scrollY());
    QPainterCanvas canvas(painter, &image);
    view.paint(canvas);
}

// Paints the view into the image once per iteration.
void timePaints(benchmark::State& state, CXYView& view, QImage& image)
{
    for (auto _ : state) {
        paintXY(view, image);
        benchmark::ClobberMemory();
    }
}

void BM_PaintXYWholeMap(benchmark::State& state)
{
    PaintedMap& map = paintedMap();
    CXYView& view = map.editor().view2D(static_cast<int>(state.range(0)));
    zoomOut(view);
    state.counters["scale"] = view.scale();
    QImage image(kXYWidth, kXYHeight, QImage::Format_ARGB32_Premultiplied);
    timePaints(state, view, image);
    state.counters["brushes"] = kBrushes;
}
BENCHMARK(BM_PaintXYWholeMap)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_PaintXYZoomedIn(benchmark::State& state)
{
    PaintedMap& map = paintedMap();
    CXYView& view = map.editor().view2D(static_cast<int>(state.range(0)));
    zoomIn(view);
    QImage image(kXYWidth, kXYHeight, QImage::Format_ARGB32_Premultiplied);
    timePaints(state, view, image);
}
BENCHMARK(BM_PaintXYZoomedIn)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The top view of a whole generated map, with its class names, and zoomed in to one unit per pixel.
void BM_PaintTopViewOfGeneratedMap(benchmark::State& state)
{
    const int brushes = static_cast<int>(state.range(1));
    bench::GeneratedEditor& map = bench::HeldGeneratedEditor(brushes);
    if (!map.loaded()) return state.SkipWithError("../shared/tools/genmap.py is not at hand");
    CXYView& view = map.editor().view2D(0);
    view.setClientSize(kXYWidth, kXYHeight);
    if (state.range(0) == 0) {
        zoomOut(view);
    } else {
        zoomIn(view);
    }
    state.counters["scale"] = view.scale();
    QImage image(kXYWidth, kXYHeight, QImage::Format_RGB32);
    timePaints(state, view, image);
    state.counters["brushes"] = brushes;
}
BENCHMARK(BM_PaintTopViewOfGeneratedMap)
    ->ArgNames({"zoomedIn", "brushes"})
    ->ArgsProduct({{0, 1}, {60000, 250000, 1000000}})
    ->Unit(benchmark::kMillisecond);

void BM_PaintZ(benchmark::State& state)
{
    PaintedMap& map = paintedMap();
    CZView& view = map.editor().zView();
    QImage image(kZWidth, kXYHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterCanvas canvas(painter, &image);
        view.paint(canvas);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PaintZ)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // No screen is needed to paint into an image.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
