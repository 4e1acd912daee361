#pragma once

#include "geometry/vec3.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <string>

class QMenu;
class QPrinter;
class QSplitter;
class QTimer;

namespace vorn {

class ControlPanelWidget;
class Editor;
class EditorActions;
class MapViewKeys;
class ProblemsDock;
class QtHost;
class QtSettingsStore;
class RecentFiles;
class SettingsWriter;
class SurfacePanel;
class XYViewWidget;
class ZViewWidget;

// The editor's main window: the camera view, the 2D views and the control panel in one of two
// layouts (four views; or the classic top row of camera and control panel over the top view and
// the Z view), the menus, the toolbar and the status bar; it runs the file commands, asks before a
// changed map would be dropped, and writes the settings soon after they change.
class CMainFrame final : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kTopRowHeight = 170;

    // How long after a change the settings are written: a drag or a burst of keys writes once.
    static constexpr int kSettingsDelayMs = 300;

    CMainFrame(Editor& editor, QtHost& host, QtSettingsStore& settings, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QWidget* cameraPane() const { return cameraPane_; }
    ControlPanelWidget* controlPanel() const { return controlPanel_; }
    // The 2D views; the first is the top view of both layouts.
    XYViewWidget* viewPane(int i) const { return viewPanes_[static_cast<size_t>(i)]; }
    XYViewWidget* xyPane() const { return viewPanes_[0]; }
    ZViewWidget* zPane() const { return zPane_; }
    // The splitter between the top and the bottom row of the layout shown.
    QSplitter* outerSplitter() const { return rows_; }
    bool fourViews() const;
    // Shows the panes as the layout ("four" or "classic") arranges them.
    void showLayout(const std::string& name);
    const EditorActions& actions() const { return *actions_; }
    ProblemsDock* problemsDock() const { return problemsDock_; }

    // Shows the window as the stored placement says, maximized when none is stored.
    void showAsStored();
    // Opens a map file; false when it could not be read.
    bool openMap(const QString& path);
    // Asks whether to save a changed map: false when the user cancelled or the save failed.
    bool maybeSave();

signals:
    // The changes were saved, or dropped after the user said not to save them.
    void changesSettled();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildPanes();
    // The panes' sizes of the layout shown, as the preferences keep them.
    void storePaneSizes();
    // The "Entities" dock, whose point classes drop into the XY view.
    void addEntityBrowser();
    // The "Problems" dock, hidden at first, and its commands.
    void addProblemsDock();
    void wireCommands();
    // Face texturing: the nudge keys, copy and paste of a face's texture, replace and select.
    void wireFaceTextureCommands();
    // The face commands are enabled only while faces are selected, so that their keys reach the
    // views otherwise.
    void refreshFaceTextureCommands();
    void wireFileCommands();
    void wirePrinting();
    void refreshViews(int flags);
    void refreshTitle();
    void refreshChecks();
    // The Undo and Redo items name the step they would take back or do again.
    void refreshUndo();
    void refreshRecentFiles();
    bool save();
    bool saveAs();
    void newMap();
    void openChosenMap();
    // The panes' sizes and the window's placement go to the preferences, and what changed to the
    // settings file.
    void storeSettings();
    void settingsMayHaveChanged();
    QWidget* printablePane() const;
    // Where Duplicate puts the copies: a grid step right and down in the view the keys go to.
    Vec3 duplicateOffset() const;

    Editor& editor_;
    QtHost& host_;
    EditorActions* actions_;
    std::unique_ptr<SettingsWriter> settingsWriter_;
    QTimer* settingsTimer_;
    std::unique_ptr<RecentFiles> recentFiles_;
    std::unique_ptr<QPrinter> printer_;
    MapViewKeys* mapViewKeys_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    // The layout's splitters: the rows, the two rows' columns, and in the four-view layout the one
    // that puts the control panel beside the views.
    QSplitter* beside_ = nullptr;
    QSplitter* rows_ = nullptr;
    QSplitter* topRow_ = nullptr;
    QSplitter* bottomRow_ = nullptr;
    QWidget* cameraPane_ = nullptr;
    ControlPanelWidget* controlPanel_ = nullptr;
    SurfacePanel* surfacePanel_ = nullptr;
    std::array<XYViewWidget*, 3> viewPanes_{};
    ZViewWidget* zPane_ = nullptr;
    ProblemsDock* problemsDock_ = nullptr;
};

} // namespace vorn
