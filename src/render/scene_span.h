#pragma once

#include <cstddef>

namespace vorn {

// A run of elements of one of the scene's arrays.
struct SceneSpan {
    size_t first = 0;
    size_t count = 0;
};

} // namespace vorn
