#pragma once

#include "geometry/vec3.h"
#include "platform/canvas.h"

#include <span>

namespace vorn {

class CXYView;

// Drawn wide and in a colour no brush or marker uses, so the path stands out over the map.
inline constexpr Rgb kLeakPathColour{255, 0, 128};
inline constexpr int kLeakPathWidth = 3;

// The leak path seen from above, as one line through its points.
void DrawLeakPathXY(Canvas& canvas, const CXYView& view, std::span<const Vec3> points);

} // namespace vorn
