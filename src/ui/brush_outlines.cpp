#include "ui/brush_outlines.h"

#include "document/map_document.h"

#include <algorithm>

namespace vorn {

BrushOutline AppendOutline(const CQBrush& brush, const ViewAxes& axes, std::vector<ViewPoint>& points,
                           std::vector<std::uint32_t>& polygonSizes)
{
    const size_t firstPoint = points.size();
    const size_t firstPolygon = polygonSizes.size();
    for (const CQFace& face : brush.faces()) {
        if (!face.winding || face.plane.normal[axes.depth] * axes.towardViewer < 0.0001f) continue;
        const auto corners = face.winding->points();
        for (const Vec3& p : corners) points.push_back({p[axes.right], p[axes.up]});
        polygonSizes.push_back(static_cast<std::uint32_t>(corners.size()));
    }
    BrushOutline outline{{}, std::span(points).subspan(firstPoint), std::span(polygonSizes).subspan(firstPolygon)};
    if (outline.points.empty()) return outline;
    ViewExtent& e = outline.extent;
    e.lowest = e.highest = outline.points.front();
    for (const ViewPoint& p : outline.points) {
        e.lowest = {std::min(e.lowest.right, p.right), std::min(e.lowest.up, p.up)};
        e.highest = {std::max(e.highest.right, p.right), std::max(e.highest.up, p.up)};
    }
    return outline;
}

BrushOutline BrushOutlines::outline(const CQMap& map, const CQBrush& brush)
{
    if (brush.id() >= entries_.size()) entries_.resize(static_cast<size_t>(brush.id()) + 1);
    Entry& entry = entries_[brush.id()];
    const std::uint32_t revision = map.brushRevision(brush.id());
    if (entry.revision != revision) {
        make(entry, brush);
        entry.revision = revision;
        compactIfMostlyStale();
    }
    return {entry.extent, std::span(points_).subspan(entry.firstPoint, entry.pointCount),
            std::span(polygonSizes_).subspan(entry.firstPolygon, entry.polygonCount)};
}

void BrushOutlines::make(Entry& entry, const CQBrush& brush)
{
    livePoints_ -= entry.pointCount;
    entry.firstPoint = static_cast<std::uint32_t>(points_.size());
    entry.firstPolygon = static_cast<std::uint32_t>(polygonSizes_.size());
    const BrushOutline outline = AppendOutline(brush, axes_, points_, polygonSizes_);
    entry.extent = outline.extent;
    entry.pointCount = static_cast<std::uint32_t>(outline.points.size());
    entry.polygonCount = static_cast<std::uint32_t>(outline.polygonSizes.size());
    livePoints_ += entry.pointCount;
}

void BrushOutlines::clear()
{
    entries_.clear();
    points_.clear();
    polygonSizes_.clear();
    livePoints_ = 0;
}

void BrushOutlines::compactIfMostlyStale()
{
    constexpr size_t kSlack = 4096;
    if (points_.size() <= 2 * livePoints_ + kSlack) return;
    std::vector<ViewPoint> points;
    std::vector<std::uint32_t> polygonSizes;
    points.reserve(livePoints_);
    for (Entry& entry : entries_) {
        if (entry.revision == 0) continue;
        const auto firstPoint = static_cast<std::uint32_t>(points.size());
        const auto firstPolygon = static_cast<std::uint32_t>(polygonSizes.size());
        points.insert(points.end(), points_.begin() + entry.firstPoint, points_.begin() + entry.firstPoint + entry.pointCount);
        polygonSizes.insert(polygonSizes.end(), polygonSizes_.begin() + entry.firstPolygon,
                            polygonSizes_.begin() + entry.firstPolygon + entry.polygonCount);
        entry.firstPoint = firstPoint;
        entry.firstPolygon = firstPolygon;
    }
    points_ = std::move(points);
    polygonSizes_ = std::move(polygonSizes);
}

} // namespace vorn
