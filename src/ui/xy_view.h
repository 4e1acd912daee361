#pragma once

#include "geometry/vec3.h"
#include "platform/canvas.h"
#include "ui/view_state.h"

namespace vorn {

class Editor;

// The top-down editing view's logic: the mapping between map units and window pixels, the grid
// and snapping, and the scroll position over the map extents.
class CXYView {
public:
    explicit CXYView(Editor& editor);

    // --- grid and snapping (the preferences follow every change) ---
    int gridSize() const { return gridSize_; }
    // Ignored for sizes below 1.
    void setGridSize(int size);
    bool snapToGrid() const { return snapToGrid_; }
    void setSnapToGrid(bool snap);
    bool showGrid() const { return showGrid_; }
    void toggleGrid();
    bool drawClassNames() const { return drawClassNames_; }
    void setDrawClassNames(bool draw);
    // Rounds to the grid, half away from zero.
    float snap(float v) const;

    // --- mapping between map units and pixels ---
    float scale() const { return scale_; }
    void setScale(float pixelsPerUnit);
    const MapExtents& extents() const { return extents_; }
    PixelPoint mapToWindow(float x, float y) const;
    MapPoint clientToMap(int px, int py) const;
    // Size of the whole scrollable area in pixels.
    int scrollWidth() const;
    int scrollHeight() const;

    // --- the window onto the map ---
    void setClientSize(int width, int height);
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }
    // Scroll position in pixels, kept within the scrollable area.
    int scrollX() const { return scrollX_; }
    int scrollY() const { return scrollY_; }
    void scrollTo(int x, int y);
    void centreOn(int x, int y);
    MapPoint centre() const;
    // Grows the extents to hold the box with 64 units to spare; they never shrink.
    void growExtents(Vec3 mins, Vec3 maxs);

private:
    Editor& editor_;
    int gridSize_;
    bool snapToGrid_;
    bool showGrid_;
    bool drawClassNames_;
    float scale_;
    MapExtents extents_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    int scrollX_ = 0;
    int scrollY_ = 0;
};

} // namespace vorn
