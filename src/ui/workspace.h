#pragma once

#include "document/leak_path.h"
#include "geometry/clip_points.h"
#include "ui/camera_model.h"
#include "ui/view_state.h"

namespace vorn {

class CQMap;
class Dialogs;
class Host;
struct Preferences;

// What the views share: the map and the window system they work through, the preferences, and
// the editing state that belongs to no one view (the clipper, the camera, the Z view's column,
// the leak path, the grid).
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
    void toggleClipperMode() { clipperMode_ = !clipperMode_; }

    CameraModel& camera() { return camera_; }
    const CameraModel& camera() const { return camera_; }

    // The point whose column the Z view shows, marked in the XY view.
    MapPoint zColumn() const { return zColumn_; }
    void setZColumn(MapPoint p) { zColumn_ = p; }

    LeakPath& leakPath() { return leakPath_; }
    const LeakPath& leakPath() const { return leakPath_; }

private:
    CQMap& map_;
    Host& host_;
    Dialogs& dialogs_;
    Preferences& prefs_;
    ClipPoints clipPoints_;
    bool clipperMode_ = false;
    CameraModel camera_;
    MapPoint zColumn_;
    LeakPath leakPath_;
};

} // namespace vorn
