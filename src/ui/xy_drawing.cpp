#include "ui/xy_drawing.h"

#include "document/map_document.h"
#include "geometry/numeric.h"
#include "map/entity.h"
#include "ui/brush_outlines.h"
#include "ui/entity_pens.h"
#include "ui/xy_view.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
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

void drawOutline(Canvas& canvas, const CXYView& view, const BrushOutline& outline)
{
    if (outline.points.empty()) return;
    // Polygons that all fall on one pixel draw just that pixel, however many corners they have: most
    // brushes of a large map seen whole.
    const ViewExtent& e = outline.extent;
    const PixelPoint low = view.mapToWindow(e.lowest.right, e.lowest.up);
    if (low == view.mapToWindow(e.highest.right, e.highest.up)) {
        canvas.polygon(std::span(&low, 1));
        return;
    }
    std::array<PixelPoint, kMaxWindingPoints> fewCorners;
    std::vector<PixelPoint> manyCorners;
    auto next = outline.points.begin();
    for (const std::uint32_t count : outline.polygonSizes) {
        std::span<PixelPoint> corners;
        if (count <= fewCorners.size()) {
            corners = std::span(fewCorners).first(count);
        } else {
            manyCorners.resize(count);
            corners = manyCorners;
        }
        for (PixelPoint& corner : corners) {
            corner = view.mapToWindow(next->right, next->up);
            ++next;
        }
        canvas.polygon(corners);
    }
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

// The brush drawn from its outline, which `outlineOf` gives.
template <typename OutlineOf>
void drawBrush(Canvas& canvas, const CXYView& view, const CQBrush& brush, OutlineOf outlineOf, const VisibleArea& area,
               Rgb pen, bool selected, const CQEntity* angleEntity)
{
    if (!selected && !overlaps(brush, view.axes(), area)) return;
    const BrushOutline outline = outlineOf();
    canvas.setPen(selected ? Colours::Red : pen);
    drawOutline(canvas, view, outline);
    // The entity's heading, an angle in the map's XY plane, shows from above.
    if (angleEntity && view.orientation() == ViewOrientation::Top) {
        if (const auto degrees = angleEntity->Heading(); degrees && *degrees >= 0) drawArrow(canvas, view, brush, *degrees);
    }
}

} // namespace

void DrawBrushXY(Canvas& canvas, const CXYView& view, const CQBrush& brush, const VisibleArea& area, Rgb pen,
                 bool selected, const CQEntity* angleEntity)
{
    std::vector<ViewPoint> points;
    std::vector<std::uint32_t> polygonSizes;
    drawBrush(canvas, view, brush, [&] { return AppendOutline(brush, view.axes(), points, polygonSizes); }, area, pen, selected, angleEntity);
}

void DrawEntityXY(Canvas& canvas, const CXYView& view, const CQMap& map, BrushOutlines& outlines, const CQEntity& entity,
                  const VisibleArea& area, Rgb pen, bool selectedPass)
{
    const auto brushes = entity.brushes();
    // Only the current entity has selected brushes.
    if (selectedPass && !entity.isCurrent()) return;
    for (size_t i = 0; i < brushes.size(); ++i) {
        const bool selected = entity.isCurrent() && map.isSelected(brushes[i]);
        if (selected != selectedPass || map.isHidden(brushes[i])) continue;
        const bool carriesArrow = i == 0 && !entity.isWorld();
        drawBrush(canvas, view, brushes[i], [&] { return outlines.outline(map, brushes[i]); }, area, pen, selected,
                  carriesArrow ? &entity : nullptr);
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

void DrawEntitiesXY(Canvas& canvas, const CXYView& view, const CQMap& map, BrushOutlines& outlines, const VisibleArea& area)
{
    DrawCurrentEntityLast(map, [&](const CQEntity& entity, Rgb pen) {
        DrawEntityXY(canvas, view, map, outlines, entity, area, pen, false);
        if (entity.isCurrent()) DrawEntityXY(canvas, view, map, outlines, entity, area, pen, true);
    });
    for (const FaceRef& face : map.selectedFaces()) {
        const CQBrush& brush = map.brush(map.locate(face.brush));
        drawBrush(canvas, view, brush, [&] { return outlines.outline(map, brush); }, area, Colours::FaceOwner, false, nullptr);
    }
}

} // namespace vorn
