#include "document/map_document.h"
#include "geometry/numeric.h"
#include "ui/handle_drawing.h"
#include "ui/leak_path_drawing.h"
#include "ui/xy_drawing.h"
#include "ui/workspace.h"
#include "ui/xy_view.h"

#include <cmath>
#include <string>

namespace vorn {
namespace {

constexpr double kMarkerSpread = 0.7853981635; // 45 degrees either side of the heading
constexpr int kMarkerLength = 64;

// First multiple of `step` at or after `from`, for lines starting at 0 in steps of `step`.
int firstLineAtOrAfter(int from, int step)
{
    const int q = from / step;
    return (q * step < from ? q + 1 : q) * step;
}

void drawGrid(Canvas& canvas, const CXYView& view, int grid)
{
    if (grid <= 0 || TruncateToInt(static_cast<float>(grid) * view.scale()) <= 4) return;
    canvas.setPen(Colours::Grid);
    const MapExtents& e = view.extents();
    // Only the lines inside the visible area: the rest would be drawn outside the window.
    const VisibleArea area = view.visibleArea();
    const int left = std::max(e.left, area.left - grid);
    const int right = std::min(e.right, area.right() + grid);
    const int bottom = std::max(e.bottom, area.bottom - grid);
    const int top = std::min(e.top, area.top() + grid);
    const int fullHeight = view.scrollHeight();
    const int fullWidth = view.scrollWidth();
    for (int x = firstLineAtOrAfter(left, grid); x <= right; x += grid) {
        const int wx = view.mapToWindow(static_cast<float>(x), 0).x;
        canvas.moveTo(wx, 0);
        canvas.lineTo(wx, fullHeight);
    }
    for (int y = firstLineAtOrAfter(bottom, grid); y <= top; y += grid) {
        const int wy = view.mapToWindow(0, static_cast<float>(y)).y;
        canvas.moveTo(0, wy);
        canvas.lineTo(fullWidth, wy);
    }
}

void drawClipPoints(Canvas& canvas, const CXYView& view, const ClipPoints& points)
{
    canvas.setPen(Colours::ClipPoint);
    const int radius = TruncateToInt(5 * view.scale());
    for (int i = 0; i < points.count(); ++i) {
        const PixelPoint p = view.project(points.point(i));
        canvas.ellipse(p.x - radius, p.y - radius, p.x + radius, p.y + radius);
        canvas.textOut(p.x + radius, p.y - radius, std::to_string(i));
    }
}

void drawZPosition(Canvas& canvas, const CXYView& view, MapPoint position)
{
    const PixelPoint p = view.mapToWindow(static_cast<float>(position.x), static_cast<float>(position.y));
    canvas.setPen(Colours::Magenta);
    canvas.ellipse(p.x - 3, p.y - 3, p.x + 3, p.y + 3);
}

// Seen from above the marker shows where the camera looks; from the front or the side, where it is.
void drawCamera(Canvas& canvas, const CXYView& view, const CameraModel& camera)
{
    const MapPoint position = camera.position2D();
    const bool fromAbove = view.orientation() == ViewOrientation::Top;
    const PixelPoint c = fromAbove ? view.mapToWindow(static_cast<float>(position.x), static_cast<float>(position.y))
                                   : view.project(camera.position3D());
    canvas.setPen(Colours::Cyan);
    const PixelPoint box[] = {{c.x - 16, c.y}, {c.x - 16, c.y - 8}, {c.x - 16, c.y + 8}, {c.x + 16, c.y + 8},
                              {c.x + 16, c.y - 8}, {c.x - 16, c.y - 8}};
    canvas.moveTo(box[0].x, box[0].y);
    for (size_t i = 1; i < std::size(box); ++i) canvas.lineTo(box[i].x, box[i].y);
    if (!fromAbove) return;
    const double heading = camera.heading();
    for (const double a : {heading + kMarkerSpread, heading - kMarkerSpread}) {
        canvas.moveTo(c.x, c.y);
        canvas.lineTo(c.x + static_cast<int>(kMarkerLength * std::cos(a)), c.y - static_cast<int>(kMarkerLength * std::sin(a)));
    }
}

} // namespace

void CXYView::paint(Canvas& canvas) const
{
    const CQMap& map = workspace_.map();
    if (showGrid()) drawGrid(canvas, *this, workspace_.gridSize());
    if (workspace_.clipperMode()) drawClipPoints(canvas, *this, workspace_.clipPoints());
    const VisibleArea area = visibleArea();
    DrawEntitiesXY(canvas, *this, map, workspace_.outlines(orientation_), area);
    if (workspace_.vertexMode().isOn()) DrawHandlesXY(canvas, *this, workspace_.vertexMode().marks(map));
    if (dragMode_ == DragMode::SelectHandles) {
        const PixelPoint scroll{scrollX_, scrollY_};
        DrawSelectionBand(canvas, {dragStart_.x + scroll.x, dragStart_.y + scroll.y}, {bandEnd_.x + scroll.x, bandEnd_.y + scroll.y});
    }
    if (newBrushActive_) DrawBrushXY(canvas, *this, newBrush_, area, Colours::Red, true, nullptr);
    DrawLeakPathXY(canvas, *this, workspace_.leakPath().pointsFor(map.pathName()));
    if (orientation_ == ViewOrientation::Top) drawZPosition(canvas, *this, workspace_.zColumn());
    drawCamera(canvas, *this, workspace_.camera());
}

} // namespace vorn
