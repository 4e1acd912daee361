#include "ui/leak_path_drawing.h"

#include "ui/xy_view.h"

namespace vorn {

void DrawLeakPathXY(Canvas& canvas, const CXYView& view, std::span<const Vec3> points)
{
    if (points.size() < 2) return;
    canvas.setPen(kLeakPathColour, kLeakPathWidth);
    const PixelPoint start = view.mapToWindow(points.front().x, points.front().y);
    canvas.moveTo(start.x, start.y);
    for (const Vec3& p : points.subspan(1)) {
        const PixelPoint to = view.mapToWindow(p.x, p.y);
        canvas.lineTo(to.x, to.y);
    }
}

} // namespace vorn
