#pragma once

#include "geometry/face.h"
#include "geometry/vec3.h"

#include <array>
#include <optional>
#include <string>

namespace vorn {

class CQBrush;
class DebugOutput;

// How a view places clip points: along the axis it looks along, at the low or the high work depth,
// with the viewer on the positive (+1) or negative (-1) side of that axis.
struct ClipDepth {
    int axis = 2;
    float towardViewer = 1;
    float low = 0;
    float high = 0;
};

// The two or three points placed in clipper mode, which define the clip plane.
class ClipPoints {
public:
    int count() const { return count_; }
    const Vec3& point(int i) const { return pts_[static_cast<size_t>(i)]; }

    // Places a point at `at`, its depth set to the low work depth, or lifts a placed point at the
    // same spot of the view between the low and high work depths. A fourth point starts a new set.
    void AddClipPoint(Vec3 at, const ClipDepth& depth);
    // The same from above: at (x, y), between the low and high work heights.
    void AddClipPoint(float x, float y, float minZ, float maxZ) { AddClipPoint({x, y, minZ}, {2, 1, minZ, maxZ}); }
    void ClearClipPoints() { count_ = 0; }
    // Reverses the plane; false when there is none.
    bool FlipClipPlane();
    // The face the clip adds: none with fewer than two points or collinear points.
    std::optional<CQFace> MakeClipFace(const std::string& texture);

private:
    int count_ = 0;
    std::array<Vec3, 3> pts_{};
    // Two points make the plane through them along the depth of the view that placed the last.
    Vec3 towardViewer_{0, 0, 1};
};

// Cuts the brush by the clip face, keeping the part behind it: the face is added and the
// polygons rebuilt. False when the brush is full and cannot take the face.
bool ClipBrush(CQBrush& brush, const CQFace& face, DebugOutput& log);

} // namespace vorn
