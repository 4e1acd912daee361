#pragma once

#include "geometry/brush.h"
#include "map/entity.h"

#include <optional>
#include <vector>

namespace vorn {

// The editor's own brush clipboard. It keeps what it needs of the entity the brushes came from
// (its pairs and whether it is modifiable), so pasting still works after that entity is gone.
struct Clipboard {
    struct Source {
        std::vector<CQKeyValue> pairs;
        bool modifiable = true;
    };

    std::vector<CQBrush> brushes;
    std::optional<Source> source;
    bool wholeEntity = false;
};

} // namespace vorn
