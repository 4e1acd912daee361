#include "ui/xy_drawing.h"

#include "document/map_document.h"
#include "geometry/numeric.h"
#include "map/entity.h"
#include "ui/entity_pens.h"
#include "ui/xy_view.h"

#include <cmath>
#include <optional>
#include <vector>

namespace vorn {
namespace {

constexpr float kArrowLength = 16;
constexpr float kBarbDistance = 12;
constexpr double kBarbAngle = 0.4;

bool overlaps(const CQBrush& brush, const ViewAxes& axes, const VisibleArea& area)
{
    const Vec3& lo = brush.mins();
    const Vec3& hi = brush.maxs();
    return static_cast<float>(area.left) <= hi[axes.right] && static_cast<float>(area.bottom) <= hi[axes.up] &&
           lo[axes.right] <= static_cast<float>(area.right()) && lo[axes.up] <= static_cast<float>(area.top());
}

PixelPoint at(const CXYView& view, double x, double y)
{
    return view.mapToWindow(static_cast<float>(x), static_cast<float>(y));
}

void drawArrow(Canvas& canvas, const CXYView& view, const CQBrush& brush, double degrees)
{
    const Vec3 centre = brush.Centre();
    const double a = degrees * kRadiansPerDegree;
    const PixelPoint tip = at(view, centre.x + kArrowLength * std::cos(a), centre.y + kArrowLength * std::sin(a));
    const PixelPoint from = at(view, centre.x, centre.y);
    canvas.moveTo(from.x, from.y);
    canvas.lineTo(tip.x, tip.y);
    for (const double side : {a + kBarbAngle, a - kBarbAngle}) {
        const PixelPoint barb = at(view, centre.x + kBarbDistance * std::cos(side), centre.y + kBarbDistance * std::sin(side));
        canvas.moveTo(barb.x, barb.y);
        canvas.lineTo(tip.x, tip.y);
    }
}

} // namespace

void DrawBrushXY(Canvas& canvas, const CXYView& view, const CQBrush& brush, const VisibleArea& area, Rgb pen,
                 bool selected, const CQEntity* angleEntity)
{
    const ViewAxes& axes = view.axes();
    if (!selected && !overlaps(brush, axes, area)) return;
    canvas.setPen(selected ? Colours::Red : pen);
    std::vector<PixelPoint> outline;
    // The faces turned toward the viewer outline the brush.
    for (const CQFace& face : brush.faces()) {
        if (!face.winding || face.plane.normal[axes.depth] * axes.towardViewer < 0.0001f) continue;
        outline.clear();
        for (const Vec3& p : face.winding->points()) outline.push_back(view.project(p));
        canvas.polygon(outline);
    }
    // The entity's heading, an angle in the map's XY plane, shows from above.
    if (angleEntity && view.orientation() == ViewOrientation::Top) {
        if (const auto degrees = angleEntity->Heading(); degrees && *degrees >= 0) drawArrow(canvas, view, brush, *degrees);
    }
}

void DrawEntityXY(Canvas& canvas, const CXYView& view, const CQMap& map, const CQEntity& entity, const VisibleArea& area,
                  Rgb pen, bool selectedPass)
{
    const auto brushes = entity.brushes();
    // Only the current entity has selected brushes.
    if (selectedPass && !entity.isCurrent()) return;
    for (size_t i = 0; i < brushes.size(); ++i) {
        const bool selected = entity.isCurrent() && map.isSelected(brushes[i]);
        if (selected != selectedPass || map.isHidden(brushes[i])) continue;
        const bool carriesArrow = i == 0 && !entity.isWorld();
        DrawBrushXY(canvas, view, brushes[i], area, pen, selected, carriesArrow ? &entity : nullptr);
    }
    if (selectedPass || !view.drawClassNames() || entity.isWorld()) return;
    const auto box = entity.bounds();
    const std::string name = entity.className();
    if (!box || name.empty() || name == "worldspawn") return;
    const ViewAxes& axes = view.axes();
    const PixelPoint p = view.mapToWindow(static_cast<float>(TruncateToInt(box->mins[axes.right])),
                                          static_cast<float>(TruncateToInt(box->maxs[axes.up] + 1)));
    canvas.textOut(p.x, p.y, name);
}

void DrawEntitiesXY(Canvas& canvas, const CXYView& view, const CQMap& map, const VisibleArea& area)
{
    DrawCurrentEntityLast(map, [&](const CQEntity& entity, Rgb pen) {
        DrawEntityXY(canvas, view, map, entity, area, pen, false);
        if (entity.isCurrent()) DrawEntityXY(canvas, view, map, entity, area, pen, true);
    });
    for (const FaceRef& face : map.selectedFaces()) {
        DrawBrushXY(canvas, view, map.brush(map.locate(face.brush)), area, Colours::FaceOwner, false, nullptr);
    }
}

} // namespace vorn
