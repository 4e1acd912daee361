#pragma once

#include "document/map_document.h"
#include "geometry/brush.h"
#include "geometry/vec3.h"
#include "platform/canvas.h"
#include "ui/view_input.h"
#include "ui/drag_step.h"
#include "ui/face_drag.h"
#include "ui/vertex_mode.h"
#include "ui/view_orientation.h"
#include "ui/view_state.h"

#include <optional>
#include <string>
#include <vector>

namespace vorn {

class Workspace;

// The part of the map a view shows, in map units: its left and bottom edges and its size.
struct VisibleArea {
    int left = 0;
    int bottom = 0;
    int width = 0;
    int height = 0;
    int top() const { return bottom + height; }
    int right() const { return left + width; }
};

// A 2D editing view's logic, seen from the top, the front or the side: the mapping between map
// units and window pixels, the grid and snapping, the scroll position over the map extents, the
// mouse and keys, and the drawing. Window pixels are those of the whole scrollable area; client
// pixels those of the visible part. Its 2D points (MapPoint, the extents, the visible area) are in
// the plane it shows: x along its right axis, y along its up axis.
class CXYView {
public:
    // In vertex mode a press on a handle moves the selected handles, one on empty space drags out
    // a rectangle that selects handles.
    enum class DragMode { Idle, DragFaces, DragSelection, SizeNewBrush, MoveHandles, SelectHandles };

    explicit CXYView(Workspace& workspace);

    ViewOrientation orientation() const { return orientation_; }
    // Shows the map from another side, its middle in the middle.
    void setOrientation(ViewOrientation orientation);
    const ViewAxes& axes() const { return axes_; }

    // --- what the view shows, kept in the preferences ---
    bool showGrid() const;
    void toggleGrid();
    bool drawClassNames() const;
    void setDrawClassNames(bool draw);

    // --- mapping between map units and pixels ---
    float scale() const { return scale_; }
    // Changes the scale keeping the map point under the client pixel where it was.
    void zoomAbout(float pixelsPerUnit, PixelPoint client);
    const MapExtents& extents() const { return extents_; }
    PixelPoint mapToWindow(float x, float y) const;
    // The window pixel that shows a map point.
    PixelPoint project(Vec3 p) const { return mapToWindow(p[axes_.right], p[axes_.up]); }
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
    VisibleArea visibleArea() const;
    // Grows the extents to hold the box with 64 units to spare; they never shrink.
    void growExtents(Vec3 mins, Vec3 maxs);
    // Grows the extents as above when the box goes past them.
    void keepInExtents(Vec3 mins, Vec3 maxs);
    // The map point under the mouse, where pasted brushes go.
    MapPoint mousePosition() const { return mousePosition_; }

    // --- input ---
    DragMode dragMode() const { return dragMode_; }
    void leftButtonDown(const MouseInput& in);
    void mouseMove(const MouseInput& in);
    void leftButtonUp(const MouseInput& in);
    void doubleClick(const MouseInput& in);
    void rightButtonDown(const MouseInput& in);
    // Ends a right press: true when it was a click (no movement), which opens the context menu.
    bool rightButtonUp();
    // The left press the view thinks is held, so the widget can end one whose release it never saw.
    bool leftButtonHeld() const { return buttonDown_; }
    // True when the key was handled.
    bool keyDown(ViewKey key);

    // The context menu opened at a client point; its commands act there.
    void contextMenuAt(int x, int y);
    void connectEntitiesHere();
    void moveCameraHere();
    // The View menu's commands on the XY view.
    void centreOnMap();
    void findCamera();

    // Where an entity whose box reaches `boxBottom` below its origin goes when put down at a client
    // pixel: on the grid; from above it stands on the bottom of the work heights, from the front or
    // the side it lies amid the depth of what was selected last.
    Vec3 placementPoint(int x, int y, float boxBottom) const;

    // The box being dragged out, while there is one.
    const CQBrush* newBrush() const { return newBrushActive_ ? &newBrush_ : nullptr; }

    void paint(Canvas& canvas) const;

    // The vertex mode's handles stacked under a client pixel, the nearest spot within a few pixels.
    std::vector<HandleRef> handlesAt(int x, int y) const;
    // The handles seen inside the rectangle between two client pixels.
    std::vector<HandleRef> handlesWithin(PixelPoint a, PixelPoint b) const;

private:
    void pressInVertexMode(const MouseInput& in);
    void moveHandles(MapPoint at);
    void finishSelectionBand();
    PixelPoint toClient(DVec3 p) const;
    void startSizing(MapPoint at);
    bool startFaceDrag(MapPoint at);
    bool pressedOnSelection(MapPoint at);
    void finishDrag();
    MapPoint snapped(MapPoint p) const;
    // The hit ray through a point of the view, from the viewer's side into the map.
    Vec3 rayStart(MapPoint p) const;
    Vec3 rayEnd(MapPoint p) const;
    void moveCameraTo(MapPoint at);
    void lookAt(MapPoint at);

    Workspace& workspace_;
    ViewOrientation orientation_ = ViewOrientation::Top;
    ViewAxes axes_;
    float scale_;
    MapExtents extents_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    int scrollX_ = 0;
    int scrollY_ = 0;
    MapPoint mousePosition_;

    DragMode dragMode_ = DragMode::Idle;
    bool buttonDown_ = false;
    bool rightDown_ = false;
    bool rightMoved_ = false;
    PixelPoint rightStart_;
    PixelPoint dragStart_;
    MapPoint previousDelta_;
    CQBrush newBrush_;
    bool newBrushActive_ = false;
    Vec3 sizeAnchor_;
    Vec3 sizeCorner_;
    FaceDrag faceDrag_;
    DragStep drag_;
    // A handle drag: where the corner under the press was, which then snaps to the grid (none when
    // no corner was: the handles move in whole grid steps), and the offset the handles have.
    std::optional<DVec3> grabbedCorner_;
    DVec3 handleOffset_;
    PixelPoint bandEnd_;
    bool bandAdds_ = false;
};

} // namespace vorn
