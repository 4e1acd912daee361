#pragma once

#include "document/map_document.h"
#include "geometry/vec3.h"

#include <functional>
#include <vector>

namespace vorn {

class CQBrush;
class Editor;

// A drag of some faces of the map's only selected brush (the sides in the XY view, the top or
// bottom in the Z view). Keys pressed during the drag can delete that brush or reorder the brush
// list, so the brush is looked up again at every step instead of remembered.
class FaceDrag {
public:
    using Picker = std::function<std::vector<int>(const CQBrush&)>;

    // Picks the faces of the only selected brush, if its entity may change; false when none.
    bool start(CQMap& map, const Picker& pick);
    bool active() const { return !faces_.empty(); }
    // Moves the picked faces' points and rebuilds the brush; false when there is nothing to move.
    bool moveBy(Editor& editor, Vec3 step);
    // Ends the drag; a brush left without volume is removed (then true).
    bool finish(Editor& editor);

private:
    std::vector<int> faces_;
};

} // namespace vorn
