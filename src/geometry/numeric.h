#pragma once

#include <cmath>
#include <limits>

namespace vorn {

// Truncated toward zero and clamped to the 32-bit range; not a number gives 0.
inline int TruncateToInt(float v)
{
    if (std::isnan(v)) return 0;
    constexpr float kMax = 2147483520.0f; // the largest float below 2^31
    if (v >= kMax) return std::numeric_limits<int>::max();
    if (v <= -kMax) return std::numeric_limits<int>::min();
    return static_cast<int>(v);
}

} // namespace vorn
