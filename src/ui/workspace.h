#pragma once

#include "document/leak_path.h"
#include "geometry/clip_points.h"
#include "ui/brush_outlines.h"
#include "ui/camera_model.h"
#include "ui/vertex_mode.h"
#include "ui/view_state.h"

#include <array>

namespace vorn {

struct Bounds;
class CQMap;
class Dialogs;
class Host;
struct Preferences;

// Where along an axis a brush dragged out in a 2D view goes: the axis the view does not show.
struct DepthRange {
    float low = 0;
    float high = 0;
};

// What the views share: the map and the window system they work through, the preferences, and
// the editing state that belongs to no one view (the clipper, the camera, the Z view's column,
// the leak path, the grid, the depths new brushes take).
class Workspace {
public:
    Workspace(CQMap& map, Host& host, Dialogs& dialogs, Preferences& prefs)
        : map_(map), host_(host), dialogs_(dialogs), prefs_(prefs)
    {
    }
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    CQMap& map() const { return map_; }
    Host& host() const { return host_; }
    Dialogs& dialogs() const { return dialogs_; }
    Preferences& prefs() const { return prefs_; }

    // --- the grid, kept in the preferences ---
    int gridSize() const;
    // Ignored for sizes below 1.
    void setGridSize(int size);
    bool snapToGrid() const;
    void setSnapToGrid(bool snap);
    // Rounds to the grid, half away from zero.
    float snap(float v) const;

    ClipPoints& clipPoints() { return clipPoints_; }
    const ClipPoints& clipPoints() const { return clipPoints_; }
    bool clipperMode() const { return clipperMode_; }
    // Clipper mode and vertex mode are on one at a time: turning one on turns the other off.
    void toggleClipperMode();

    VertexMode& vertexMode() { return vertexMode_; }
    const VertexMode& vertexMode() const { return vertexMode_; }
    void toggleVertexMode();

    CameraModel& camera() { return camera_; }
    const CameraModel& camera() const { return camera_; }

    // The point whose column the Z view shows, marked in the XY view.
    MapPoint zColumn() const { return zColumn_; }
    void setZColumn(MapPoint p) { zColumn_ = p; }

    // The brushes' outlines as the 2D views looking that way draw them.
    BrushOutlines& outlines(ViewOrientation orientation) { return outlines_[static_cast<size_t>(orientation)]; }
    void forgetOutlines();

    LeakPath& leakPath() { return leakPath_; }
    const LeakPath& leakPath() const { return leakPath_; }

    // --- the depths of new brushes ---
    // Along z the map's work heights (the Z view's range); along x and y the extent of what was
    // last selected.
    DepthRange depthRange(int axis) const;
    // What was selected gives the depths of the next brushes along x and y, and along z too when
    // asked (where no Z view sets the heights).
    void followSelection(const Bounds& selected, bool heightsToo);

private:
    CQMap& map_;
    Host& host_;
    Dialogs& dialogs_;
    Preferences& prefs_;
    ClipPoints clipPoints_;
    bool clipperMode_ = false;
    VertexMode vertexMode_;
    CameraModel camera_;
    MapPoint zColumn_;
    LeakPath leakPath_;
    std::array<BrushOutlines, 3> outlines_{
        {BrushOutlines(ViewOrientation::Top), BrushOutlines(ViewOrientation::Front), BrushOutlines(ViewOrientation::Side)}};
    std::array<DepthRange, 2> depths_{{{0, 64}, {0, 64}}};
};

} // namespace vorn
