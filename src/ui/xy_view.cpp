#include "ui/xy_view.h"

#include "editor/editor.h"
#include "geometry/grid.h"

#include <algorithm>
#include <cmath>

namespace vorn {

CXYView::CXYView(Editor& editor)
    : editor_(editor),
      gridSize_(editor.prefs().xyGridSize),
      snapToGrid_(editor.prefs().xyGridSnap != 0),
      showGrid_(editor.prefs().xyGridShow != 0),
      drawClassNames_(editor.prefs().xyDrawNames != 0),
      scale_(static_cast<float>(editor.prefs().xyScalePercent) * 0.01f)
{
    if (scale_ <= 0) scale_ = 1.0f; // a stored scale of 0 or less could not show anything
}

void CXYView::setGridSize(int size)
{
    if (size <= 0) return;
    gridSize_ = size;
    editor_.prefs().xyGridSize = size;
}

void CXYView::setSnapToGrid(bool snap)
{
    snapToGrid_ = snap;
    editor_.prefs().xyGridSnap = snap ? 1 : 0;
}

void CXYView::toggleGrid()
{
    showGrid_ = !showGrid_;
    editor_.prefs().xyGridShow = showGrid_ ? 1 : 0;
}

void CXYView::setDrawClassNames(bool draw)
{
    drawClassNames_ = draw;
    editor_.prefs().xyDrawNames = draw ? 1 : 0;
}

float CXYView::snap(float v) const
{
    return SnapToGrid(v, gridSize_);
}

void CXYView::setScale(float pixelsPerUnit)
{
    if (pixelsPerUnit <= 0) return;
    scale_ = pixelsPerUnit;
    editor_.prefs().xyScalePercent = static_cast<int>(pixelsPerUnit * 100);
    scrollTo(scrollX_, scrollY_);
}

PixelPoint CXYView::mapToWindow(float x, float y) const
{
    return {static_cast<int>((x - static_cast<float>(extents_.left)) * scale_),
            static_cast<int>((static_cast<float>(extents_.top) - y) * scale_)};
}

MapPoint CXYView::clientToMap(int px, int py) const
{
    const float wx = static_cast<float>(px + scrollX_);
    const float wy = static_cast<float>(py + scrollY_);
    return {static_cast<int>(wx / scale_ + static_cast<float>(extents_.left)),
            static_cast<int>(static_cast<float>(extents_.top) - wy / scale_)};
}

int CXYView::scrollWidth() const
{
    return static_cast<int>(static_cast<float>(extents_.right - extents_.left) * scale_);
}

int CXYView::scrollHeight() const
{
    return static_cast<int>(static_cast<float>(extents_.top - extents_.bottom) * scale_);
}

void CXYView::setClientSize(int width, int height)
{
    clientWidth_ = std::max(width, 0);
    clientHeight_ = std::max(height, 0);
    scrollTo(scrollX_, scrollY_);
}

void CXYView::scrollTo(int x, int y)
{
    scrollX_ = std::clamp(x, 0, std::max(0, scrollWidth() - clientWidth_));
    scrollY_ = std::clamp(y, 0, std::max(0, scrollHeight() - clientHeight_));
}

void CXYView::centreOn(int x, int y)
{
    const PixelPoint p = mapToWindow(static_cast<float>(x), static_cast<float>(y));
    scrollTo(p.x - clientWidth_ / 2, p.y - clientHeight_ / 2);
}

MapPoint CXYView::centre() const
{
    return clientToMap(clientWidth_ / 2, clientHeight_ / 2);
}

void CXYView::growExtents(Vec3 mins, Vec3 maxs)
{
    extents_.left = std::min(extents_.left, static_cast<int>(mins.x - 64));
    extents_.top = std::max(extents_.top, static_cast<int>(maxs.y + 64));
    extents_.right = std::max(extents_.right, static_cast<int>(maxs.x + 64));
    extents_.bottom = std::min(extents_.bottom, static_cast<int>(mins.y - 64));
}

} // namespace vorn
