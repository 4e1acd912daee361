#pragma once

#include "document/clipboard.h"
#include "document/leak_path.h"
#include "document/map_document.h"
#include "entities/entity_class.h"
#include "geometry/clip_points.h"
#include "ui/camera_controller.h"
#include "ui/camera_model.h"
#include "ui/control_panel.h"
#include "ui/preferences.h"
#include "ui/view_state.h"
#include "ui/xy_view.h"
#include "ui/z_view.h"

#include <string>
#include <vector>

namespace vorn {

class Dialogs;
class Host;

// Owns everything the editor has once: the preferences, the class catalogue, the open map, the
// clipboard, the clip points and the views' logic. The parts reach each other through it; a
// test makes its own with a fake host and throws it away.
class Editor {
public:
    Editor(Host& host, Dialogs& dialogs, Preferences preferences = {});
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    Host& host() { return host_; }
    Dialogs& dialogs() { return dialogs_; }
    Preferences& prefs() { return prefs_; }
    EntityClassList& classes() { return classes_; }
    CQMap& map() { return map_; }
    Clipboard& clipboard() { return clipboard_; }
    ClipPoints& clipPoints() { return clipPoints_; }
    CXYView& xyView() { return xyView_; }
    CZView& zView() { return zView_; }
    CameraModel& camera() { return camera_; }
    CameraController& cameraView() { return cameraView_; }
    CQView& panel() { return panel_; }
    LeakPath& leakPath() { return leakPath_; }

    // The point whose column the Z view shows, marked in the XY view.
    MapPoint zViewPosition() const { return zViewPosition_; }
    void setZViewPosition(MapPoint p) { zViewPosition_ = p; }

    // Loads the class catalogue from the preferences' entity list, falling back to the bundled
    // definitions when that file cannot be read (then false).
    bool loadEntityClasses();

    void updateViews(int flags);
    // The camera's copy of the map: rebuilt whole, or refreshed for the current entity's selection.
    void rebuildCameraScene();
    void refreshSelectionInCamera();
    // Where the map's texture archives and the game's colour files are looked for: the map's
    // folder, the current folder, the game folder.
    std::vector<std::string> textureFolders() const;
    // The texture archive named by the map changed: the panel loads it, reporting failures, and
    // the camera takes its textures.
    void textureArchiveChanged();

private:
    Host& host_;
    Dialogs& dialogs_;
    Preferences prefs_;
    EntityClassList classes_;
    Clipboard clipboard_;
    ClipPoints clipPoints_;
    CameraModel camera_;
    CQView panel_{*this};
    CXYView xyView_;
    CZView zView_;
    CameraController cameraView_;
    MapPoint zViewPosition_;
    LeakPath leakPath_;
    CQMap map_; // last: its construction may use every other part
};

} // namespace vorn
