#include "main_frame.h"

#include "camera_mode_actions.h"
#include "camera_view.h"
#include "control_panel_widget.h"
#include "editor/editor.h"
#include "editor_actions.h"
#include "entity_browser.h"
#include "entity_drop_target.h"
#include "icons.h"
#include "map_view_keys.h"
#include "problems_dock.h"
#include "qt_host.h"
#include "qt_settings_store.h"
#include "recent_files.h"
#include "settings_writer.h"
#include "surface_panel.h"
#include "xy_view_widget.h"
#include "z_view_widget.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace vorn {
namespace {

constexpr int kShowMaximized = 3;
constexpr int kShowNormal = 1;

} // namespace

CMainFrame::CMainFrame(Editor& editor, QtHost& host, QtSettingsStore& settings, QWidget* parent)
    : QMainWindow(parent),
      editor_(editor),
      host_(host),
      actions_(new EditorActions(this)),
      settingsWriter_(std::make_unique<SettingsWriter>(editor, settings)),
      settingsTimer_(new QTimer(this)),
      recentFiles_(std::make_unique<RecentFiles>(settings)),
      printer_(std::make_unique<QPrinter>())
{
    setWindowIcon(programIcon());
    buildPanes();
    controlPanel_->addToolAction((*actions_)[QStringLiteral("edit.selectTexture")]);

    menuBar()->setNativeMenuBar(false);
    actions_->fillMenuBar(*menuBar(), recentMenu_);
    auto* toolBar = addToolBar(QStringLiteral("Toolbar"));
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setIconSize(QSize(16, 16));
    actions_->fillToolBar(*toolBar);
    statusBar()->showMessage(QStringLiteral("Ready"));

    (*actions_)[QStringLiteral("view.toolbar")]->setChecked(true);
    connect((*actions_)[QStringLiteral("view.toolbar")], &QAction::toggled, toolBar, &QToolBar::setVisible);
    (*actions_)[QStringLiteral("view.statusBar")]->setChecked(true);
    connect((*actions_)[QStringLiteral("view.statusBar")], &QAction::toggled, statusBar(), &QStatusBar::setVisible);

    mapViewKeys_ = new MapViewKeys(*this, {viewPanes_[0], viewPanes_[1], viewPanes_[2], zPane_, cameraPane_});
    wireCommands();
    wireFileCommands();
    wirePrinting();
    addEntityBrowser();
    addProblemsDock();
    surfacePanel_ = new SurfacePanel(editor_, this);
    addDockWidget(Qt::RightDockWidgetArea, surfacePanel_);
    // One column of docks leaves the views their width; the Surface tab comes forward when faces
    // are picked.
    if (auto* browser = findChild<EntityBrowser*>()) {
        tabifyDockWidget(browser, surfacePanel_);
        browser->raise();
    }
    connect(&host_, &QtHost::viewsNeedUpdate, this, &CMainFrame::refreshViews);
    connect(&host_, &QtHost::panelNeedsUpdate, controlPanel_, &ControlPanelWidget::refresh);
    connect(&host_, &QtHost::statusMessageShown, this, [this](const QString& text) {
        constexpr int kShownMs = 8000;
        statusBar()->showMessage(text, kShownMs);
    });

    // Commands, the views and the panel change preferences; the splitters the panes' sizes.
    settingsTimer_->setSingleShot(true);
    settingsTimer_->setInterval(kSettingsDelayMs);
    connect(settingsTimer_, &QTimer::timeout, this, &CMainFrame::storeSettings);
    for (const auto& [key, action] : actions_->all()) {
        connect(action, &QAction::triggered, this, &CMainFrame::settingsMayHaveChanged);
    }
    connect(&host_, &QtHost::viewsNeedUpdate, this, &CMainFrame::settingsMayHaveChanged);
    connect(&host_, &QtHost::panelNeedsUpdate, this, &CMainFrame::settingsMayHaveChanged);
    refreshRecentFiles();
    refreshChecks();
    refreshUndo();
    refreshTitle();
    refreshFaceTextureCommands();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::addEntityBrowser()
{
    auto* browser = new EntityBrowser(editor_, this);
    addDockWidget(Qt::RightDockWidgetArea, browser);
    // The catalogue is read again when Vorn Setup names another list, which refreshes the camera.
    connect(&host_, &QtHost::viewsNeedUpdate, browser, &EntityBrowser::refresh);
    for (int i = 0; i < Editor::kViews2D; ++i) new EntityDropTarget(editor_, viewPanes_[static_cast<size_t>(i)]->viewport(), editor_.view2D(i));
}

void CMainFrame::addProblemsDock()
{
    problemsDock_ = new ProblemsDock(editor_, *this);
    addDockWidget(Qt::BottomDockWidgetArea, problemsDock_);
    problemsDock_->hide();
    QAction* toggle = (*actions_)[QStringLiteral("view.problems")];
    connect(toggle, &QAction::toggled, problemsDock_, &QDockWidget::setVisible);
    connect(problemsDock_, &QDockWidget::visibilityChanged, toggle, [this, toggle] { toggle->setChecked(problemsDock_->isVisible()); });
    connect((*actions_)[QStringLiteral("build.checkProblems")], &QAction::triggered, problemsDock_, &ProblemsDock::checkNow);
}

void CMainFrame::showAsStored()
{
    const WindowPlacement& placement = editor_.prefs().mainWindow;
    if (placement.isStored()) {
        setGeometry(placement.left, placement.top, placement.right - placement.left, placement.bottom - placement.top);
        if (placement.show == kShowMaximized) {
            showMaximized();
        } else {
            show();
        }
        return;
    }
    // Without a window manager maximizing does nothing: start at the screen's size.
    resize(screen()->availableGeometry().size());
    showMaximized();
}

void CMainFrame::refreshViews(int flags)
{
    if (flags & ViewFlags::XY) {
        for (XYViewWidget* pane : viewPanes_) pane->refresh();
    }
    if (flags & ViewFlags::Z) zPane_->refresh();
    if (flags & ViewFlags::Camera) cameraPane_->update();
    refreshChecks();
    refreshUndo();
    refreshTitle();
    refreshFaceTextureCommands();
    surfacePanel_->refresh();
}

void CMainFrame::refreshUndo()
{
    const CQMap& map = editor_.map();
    QAction* undo = (*actions_)[QStringLiteral("edit.undo")];
    undo->setEnabled(map.canUndo());
    undo->setText(map.canUndo() ? QStringLiteral("&Undo ") + QString::fromStdString(map.undoName()) : QStringLiteral("&Undo"));
    QAction* redo = (*actions_)[QStringLiteral("edit.redo")];
    redo->setEnabled(map.canRedo());
    redo->setText(map.canRedo() ? QStringLiteral("&Redo ") + QString::fromStdString(map.redoName()) : QStringLiteral("&Redo"));
}

void CMainFrame::refreshTitle()
{
    setWindowTitle(QString::fromStdString(editor_.map().title()) + QStringLiteral("[*] - Vorn"));
    setWindowModified(editor_.map().IsModifiedSinceSave());
}

void CMainFrame::refreshChecks()
{
    const CXYView& xy = editor_.xyView();
    (*actions_)[QStringLiteral("edit.clipper")]->setChecked(editor_.workspace().clipperMode());
    (*actions_)[QStringLiteral("edit.vertexMode")]->setChecked(editor_.workspace().vertexMode().isOn());
    (*actions_)[QStringLiteral("edit.textureLock")]->setChecked(editor_.map().textureLock == TextureLock::On);
    (*actions_)[QStringLiteral("view.grid")]->setChecked(xy.showGrid());
    (*actions_)[QStringLiteral("view.classNames")]->setChecked(xy.drawClassNames());
    const CameraController& camera = editor_.cameraView();
    (*actions_)[QStringLiteral("camera.off")]->setChecked(!camera.isOn());
    for (const CameraModeAction& entry : kCameraModeActions) {
        if (camera.isOn() && camera.mode() == entry.mode) (*actions_)[QString::fromLatin1(entry.key)]->setChecked(true);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    storeSettings();
    event->accept();
}

void CMainFrame::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    settingsMayHaveChanged();
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    settingsMayHaveChanged();
}

void CMainFrame::settingsMayHaveChanged()
{
    settingsTimer_->start();
}

void CMainFrame::storeSettings()
{
    settingsTimer_->stop();
    Preferences& prefs = editor_.prefs();
    storePaneSizes();
    const QRect normal = normalGeometry();
    prefs.mainWindow = {isMaximized() ? kShowMaximized : kShowNormal, normal.left(), normal.top(),
                        normal.right() + 1, normal.bottom() + 1};
    settingsWriter_->write();
}

} // namespace vorn
