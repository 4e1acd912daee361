#pragma once

#include "geometry/vec3.h"

#include <optional>
#include <string_view>

namespace vorn {

// Which way a 2D view looks at the map: from above (x to the right, y up the screen), from the
// front (x to the right, z up, looking north) or from the side (y to the right, z up, looking
// west).
enum class ViewOrientation { Top, Front, Side };

// The map axes a 2D view shows: the one across to the right, the one up the screen, and the depth
// it looks along.
struct ViewAxes {
    int right = 0;
    int up = 1;
    int depth = 2;
    // +1 when the viewer stands on the positive side of the depth axis, -1 otherwise.
    float towardViewer = 1;

    // The map point at view coordinates (u, v) and the depth d.
    Vec3 point(float u, float v, float d) const
    {
        Vec3 p;
        p[right] = u;
        p[up] = v;
        p[depth] = d;
        return p;
    }
};

constexpr ViewAxes AxesOf(ViewOrientation orientation)
{
    switch (orientation) {
    case ViewOrientation::Front:
        return {0, 2, 1, -1};
    case ViewOrientation::Side:
        return {1, 2, 0, 1};
    case ViewOrientation::Top:
        break;
    }
    return {0, 1, 2, 1};
}

// Top, front, side, then top again.
ViewOrientation NextOrientation(ViewOrientation orientation);

// "Top (X/Y)", "Front (X/Z)", "Side (Y/Z)": what a view's corner says it shows.
std::string_view OrientationLabel(ViewOrientation orientation);

} // namespace vorn
