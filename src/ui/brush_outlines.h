#pragma once

#include "ui/view_orientation.h"

#include <cstdint>
#include <span>
#include <vector>

namespace vorn {

class CQBrush;
class CQMap;

// A point in a 2D view's plane, in map units along its right and up axes.
struct ViewPoint {
    float right = 0;
    float up = 0;
};

// The corner of a rectangle nearest the view's left and bottom, and the one nearest its right and top.
struct ViewExtent {
    ViewPoint lowest;
    ViewPoint highest;
};

// What a 2D view draws of a brush: the polygons of its faces turned toward the viewer, one after
// the other, and their extent (when there are any).
struct BrushOutline {
    ViewExtent extent;
    std::span<const ViewPoint> points;
    std::span<const std::uint32_t> polygonSizes;
};

// Appends the brush's outline polygons seen along the axes, their points and how many each has,
// and returns the outline over what it appended.
BrushOutline AppendOutline(const CQBrush& brush, const ViewAxes& axes, std::vector<ViewPoint>& points,
                           std::vector<std::uint32_t>& polygonSizes);

// The outlines of a map's brushes as one view orientation sees them, kept between paints in a few
// flat arrays: painting a large map then reads a little memory per brush instead of every face's
// record. A brush's outline is made again when the map's revision of it changed.
class BrushOutlines {
public:
    explicit BrushOutlines(ViewOrientation orientation) : axes_(AxesOf(orientation)) {}

    // The brush of the map as it is now; valid until the next call.
    BrushOutline outline(const CQMap& map, const CQBrush& brush);
    // Forgets every outline (another map).
    void clear();

private:
    struct Entry {
        std::uint32_t revision = 0; // 0: none made yet
        std::uint32_t firstPoint = 0;
        std::uint32_t firstPolygon = 0;
        std::uint32_t pointCount = 0;
        std::uint32_t polygonCount = 0;
        ViewExtent extent;
    };
    void make(Entry& entry, const CQBrush& brush);
    // Drops the outlines left behind by brushes made again, once they take most of the room.
    void compactIfMostlyStale();

    ViewAxes axes_;
    std::vector<Entry> entries_; // by brush id
    std::vector<ViewPoint> points_;
    std::vector<std::uint32_t> polygonSizes_;
    size_t livePoints_ = 0;
};

} // namespace vorn
