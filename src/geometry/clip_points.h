#pragma once

#include "geometry/face.h"
#include "geometry/vec3.h"

#include <array>
#include <optional>
#include <string>

namespace vorn {

class CQBrush;
class DebugOutput;

// The two or three points placed in clipper mode, which define the clip plane.
class ClipPoints {
public:
    int count() const { return count_; }
    const Vec3& point(int i) const { return pts_[static_cast<size_t>(i)]; }

    // Places a point at (x, y) on the low work height, or lifts a placed point at the same x, y
    // between the low and high work heights. A fourth point starts a new set.
    void AddClipPoint(float x, float y, float minZ, float maxZ);
    void ClearClipPoints() { count_ = 0; }
    // Reverses the plane; false when there is none.
    bool FlipClipPlane();
    // The face the clip adds: none with fewer than two points or collinear points.
    std::optional<CQFace> MakeClipFace(const std::string& texture);

private:
    int count_ = 0;
    std::array<Vec3, 3> pts_{};
};

// Cuts the brush by the clip face, keeping the part behind it: the face is added and the
// polygons rebuilt. False when the brush is full and cannot take the face.
bool ClipBrush(CQBrush& brush, const CQFace& face, DebugOutput& log);

} // namespace vorn
