#pragma once

#include "document/clipboard.h"
#include "document/map_document.h"
#include "entities/entity_class.h"
#include "models/model_store.h"
#include "ui/camera_controller.h"
#include "ui/control_panel.h"
#include "ui/preferences.h"
#include "ui/workspace.h"
#include "ui/xy_view.h"
#include "ui/z_view.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vorn {

class Dialogs;
class Host;

// Owns everything the editor has once: the preferences, the class catalogue, the open map, the
// clipboard, the views' shared state and the views' logic. It follows the map's change notices:
// the views redraw, the camera's scene and the control panel follow, and the texture archives
// follow the world's "wad" value. A test makes its own with a fake host and throws it away.
class Editor final : private MapListener {
public:
    Editor(Host& host, Dialogs& dialogs, Preferences preferences = {});
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    Host& host() { return host_; }
    Dialogs& dialogs() { return dialogs_; }
    Preferences& prefs() { return prefs_; }
    const Preferences& prefs() const { return prefs_; }
    EntityClassList& classes() { return classes_; }
    CQMap& map() { return map_; }
    const CQMap& map() const { return map_; }
    Clipboard& clipboard() { return clipboard_; }
    Workspace& workspace() { return workspace_; }
    // The 2D views: the first is the classic layout's only one; they start looking from the top,
    // the front and the side.
    static constexpr int kViews2D = 3;
    CXYView& view2D(int i) { return views2D_[static_cast<size_t>(i)]; }
    CXYView& xyView() { return views2D_[0]; }
    CZView& zView() { return zView_; }
    CameraController& cameraView() { return cameraView_; }
    CQView& panel() { return panel_; }

    // Loads the class catalogue from the preferences' entity list. The bundled definitions serve
    // instead when the list cannot be read or holds no class; what to tell the user then, nothing
    // when the list read is the default one that is simply absent.
    std::optional<std::string> loadEntityClasses();

    // --- the map's file ---
    void newMap();
    // Opens a map file, telling the user what kept it from being read or what was wrong in it,
    // and shows its middle. Nothing when it could not be read.
    std::optional<MapReadResult> openMap(const std::string& path);
    // Reads a map text that has no file (a recovered map) and shows its middle; the caller tells
    // the user what was wrong in it.
    MapReadResult readMapText(std::string_view text);
    // Saves, telling the user when the file could not be written.
    bool saveMap(const std::string& path);
    MapAuthor author() const { return {prefs_.authorName, prefs_.authorEmail}; }

    // Where pasted brushes go: the mouse position in the first 2D view looking from the top, on the
    // grid.
    GridPlacement pastePlacement() const;
    // Where loaded brush groups go: the Z view's column, on the XY grid.
    GridPlacement columnPlacement() const;

    // Loads the texture archives the current "wad" value names again, and looks for models in
    // the game folder's folders again: the game folder changed.
    void gameFolderChanged();
    // The preferences with the values kept elsewhere while the editor runs, as they are to be saved.
    Preferences preferencesToSave() const;

private:
    void mapChanged(const MapNotice& notice) override;
    // New brushes take their depths from the selection; their heights too where no Z view sets them.
    void followSelection();
    // The archives follow the world's "wad" value (a world without the key keeps them, but for a
    // map just read); after a map is read they are tried again when they failed, since they may be
    // found beside it.
    void followWorldArchives(bool mapIsNew);
    void reloadTextureArchives();
    // Models are looked for in the folders the game folder and the world's mods name; when those
    // change the camera shows the models found there.
    void followModelFolders();
    void showMapMiddle();
    GridPlacement placementAt(MapPoint point) const;
    const CXYView& topView() const;

    Host& host_;
    Dialogs& dialogs_;
    Preferences prefs_;
    EntityClassList classes_;
    ModelStore models_{host_};
    CQMap map_;
    Clipboard clipboard_;
    Workspace workspace_{map_, host_, dialogs_, prefs_};
    CQView panel_{workspace_};
    std::array<CXYView, kViews2D> views2D_{{CXYView{workspace_}, CXYView{workspace_}, CXYView{workspace_}}};
    CZView zView_{workspace_};
    CameraController cameraView_{workspace_};
    // While a map is opened: the part of its progress that the views' making ready moves.
    Progress* preparingViews_ = nullptr;
};

} // namespace vorn
