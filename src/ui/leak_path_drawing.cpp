#include "ui/leak_path_drawing.h"

#include "ui/xy_view.h"

namespace vorn {

void DrawLeakPathXY(Canvas& canvas, const CXYView& view, std::span<const Vec3> points)
{
    if (points.size() < 2) return;
    canvas.setPen(kLeakPathColour, kLeakPathWidth);
    const PixelPoint start = view.project(points.front());
    canvas.moveTo(start.x, start.y);
    for (const Vec3& p : points.subspan(1)) {
        const PixelPoint to = view.project(p);
        canvas.lineTo(to.x, to.y);
    }
}

} // namespace vorn
