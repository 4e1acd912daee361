#pragma once

#include "geometry/face.h"
#include "geometry/vec3.h"

#include <array>
#include <optional>
#include <string>

namespace vorn {

class CQEntity;
class DebugOutput;
class Host;

// The two or three points placed in clipper mode, which define the clip plane.
class ClipPoints {
public:
    int count() const { return count_; }
    const Vec3& point(int i) const { return pts_[static_cast<size_t>(i)]; }

    // Places a point at (x, y) on the low work height, or lifts a placed point at the same x, y
    // between the low and high work heights. A fourth point starts a new set.
    void AddClipPoint(float x, float y, float minZ, float maxZ);
    void ClearClipPoints() { count_ = 0; }
    // Reverses the plane; beeps and reports when there is none.
    void FlipClipPlane(Host& host);
    // The face the clip adds: none with fewer than two points or collinear points.
    std::optional<CQFace> MakeClipFace(const std::string& texture);

private:
    int count_ = 0;
    std::array<Vec3, 3> pts_{};
};

// Cuts every selected brush of the entity by the clip plane, keeping the part behind it; false
// when there is no plane or no brush took the cut.
bool ApplyClip(ClipPoints& points, CQEntity& entity, const std::string& texture, DebugOutput& log);

// Breaks every unselected brush of the entity that overlaps a selected brush into pieces outside
// it; the selected brushes (the cutters) stay, at the end of the list.
void SubtractSelection(CQEntity& entity, DebugOutput& log);

} // namespace vorn
