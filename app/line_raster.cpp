#include "line_raster.h"

#include <QImage>

#include <cmath>
#include <cstdlib>

namespace vorn {
namespace {

// Liang-Barsky: shortens the segment to the box [0, w-1] x [0, h-1]; false when nothing is left.
bool clipToBox(double& x1, double& y1, double& x2, double& y2, int width, int height)
{
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    double t0 = 0;
    double t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1, width - 1 - x1, y1, height - 1 - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t;
        }
    }
    x2 = x1 + t1 * dx;
    y2 = y1 + t1 * dy;
    x1 = x1 + t0 * dx;
    y1 = y1 + t0 * dy;
    return true;
}

} // namespace

void DrawLinesInto(QImage& image, QPoint offset, std::span<const QLine> lines, QRgb colour)
{
    const int width = image.width();
    const int height = image.height();
    if (width <= 0 || height <= 0) return;
    auto* const bits = reinterpret_cast<QRgb*>(image.bits());
    const qsizetype stride = image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));

    for (const QLine& line : lines) {
        int x1 = line.x1() + offset.x();
        int y1 = line.y1() + offset.y();
        int x2 = line.x2() + offset.x();
        int y2 = line.y2() + offset.y();
        const bool inside = x1 >= 0 && x1 < width && x2 >= 0 && x2 < width && y1 >= 0 && y1 < height && y2 >= 0 &&
                            y2 < height;
        if (!inside) {
            double fx1 = x1, fy1 = y1, fx2 = x2, fy2 = y2;
            if (!clipToBox(fx1, fy1, fx2, fy2, width, height)) continue;
            x1 = static_cast<int>(std::lround(fx1));
            y1 = static_cast<int>(std::lround(fy1));
            x2 = static_cast<int>(std::lround(fx2));
            y2 = static_cast<int>(std::lround(fy2));
        }
        // Bresenham, both ends drawn.
        const int dx = std::abs(x2 - x1);
        const int dy = -std::abs(y2 - y1);
        const int sx = x1 < x2 ? 1 : -1;
        const int sy = y1 < y2 ? 1 : -1;
        int error = dx + dy;
        for (;;) {
            bits[y1 * stride + x1] = colour;
            if (x1 == x2 && y1 == y2) break;
            const int e2 = 2 * error;
            if (e2 >= dy) {
                error += dy;
                x1 += sx;
            }
            if (e2 <= dx) {
                error += dx;
                y1 += sy;
            }
        }
    }
}

} // namespace vorn
