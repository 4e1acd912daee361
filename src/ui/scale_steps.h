#pragma once

#include <array>

namespace vorn {

// The XY scales offered, in percent, largest first.
inline constexpr std::array<int, 7> kScalePercents{200, 150, 125, 100, 75, 50, 25};

// The scale `steps` places larger (positive) or smaller (negative) in the list than the one
// nearest to `scale`; the ends of the list stay where they are.
float NextScaleStep(float scale, int steps);

} // namespace vorn
