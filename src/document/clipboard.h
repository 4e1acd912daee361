#pragma once

#include "geometry/brush.h"
#include "geometry/face_surface.h"
#include "map/entity.h"

#include <optional>
#include <span>
#include <vector>

namespace vorn {

class DebugOutput;

// The editor's own brush clipboard. It keeps what it needs of the entity the brushes came from
// (its pairs and whether it is modifiable), so pasting still works after that entity is gone; and,
// apart from them, one face's texture.
struct Clipboard {
    struct Source {
        std::vector<CQKeyValue> pairs;
        bool modifiable = true;
    };

    std::vector<CQBrush> brushes; // in map order, without ids
    std::optional<Source> source;
    bool wholeEntity = false;
    std::optional<SurfaceTexture> faceTexture;
};

// Copies of the clipboard's brushes with their group centred on the placement's x and y, each
// snapped on its own when the placement snaps; heights stay.
std::vector<CQBrush> PlacedCopies(std::span<const CQBrush> brushes, const GridPlacement& placement);

} // namespace vorn
