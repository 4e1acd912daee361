#pragma once

#include "geometry/vec3.h"

#include <functional>
#include <vector>

namespace vorn {

class CQBrush;
class CQMap;
class DebugOutput;
class MapChange;

// A drag of some faces of the map's only selected brush (the sides in the XY view, the top or
// bottom in the Z view). Keys pressed during the drag can delete that brush or reorder the brush
// list, so the brush is looked up again at every step instead of remembered.
class FaceDrag {
public:
    using Picker = std::function<std::vector<int>(const CQBrush&)>;

    // Picks the faces of the only selected brush, if its entity may change; false when none.
    bool start(const CQMap& map, const Picker& pick);
    bool active() const { return !faces_.empty(); }
    // Moves the picked faces' points and rebuilds the brush; false when there is nothing to move.
    bool moveBy(MapChange& change, Vec3 step, DebugOutput& log);
    // The drag's last step: a brush left without volume is removed.
    void finish(MapChange& change);
    void end() { faces_.clear(); }

private:
    std::vector<int> faces_;
};

} // namespace vorn
