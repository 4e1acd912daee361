// The main window's editing, view and tool commands, each handed to the core.

#include "about_dialog.h"
#include "build_controller.h"
#include "camera_mode_actions.h"
#include "control_panel_widget.h"
#include "document/brush_commands.h"
#include "document/brush_group_commands.h"
#include "document/edit_commands.h"
#include "document/entity_commands.h"
#include "document/face_commands.h"
#include "document/hidden_brushes.h"
#include "editor/editor.h"
#include "platform/host.h"
#include "editor_actions.h"
#include "keyboard_shortcuts_dialog.h"
#include "main_frame.h"
#include "map_view_keys.h"
#include "replace_texture_dialog.h"
#include "setup_dialog.h"
#include "xy_view_widget.h"
#include "z_view_widget.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QKeySequence>
#include <QShortcut>

#include <algorithm>
#include <iterator>
#include <vector>

namespace vorn {
namespace {

// Moves the keyboard focus to the next (or previous) of the panes the layout shows.
void focusNextPane(const std::vector<QWidget*>& all, int direction)
{
    std::vector<QWidget*> panes;
    std::ranges::copy_if(all, std::back_inserter(panes), [](QWidget* pane) { return pane->isVisible(); });
    if (panes.empty()) return;
    const int count = static_cast<int>(panes.size());
    int current = 0;
    for (int i = 0; i < count; ++i) {
        QWidget* pane = panes[static_cast<size_t>(i)];
        if (pane->isAncestorOf(QApplication::focusWidget()) || pane == QApplication::focusWidget()) current = i;
    }
    panes[static_cast<size_t>((current + direction + count) % count)]->setFocus(Qt::ShortcutFocusReason);
}

} // namespace

Vec3 CMainFrame::duplicateOffset() const
{
    // Right and down in the 2D view the keys go to; seen from above when they go to another view.
    const auto pane = std::ranges::find(viewPanes_, mapViewKeys_->target());
    const CXYView& view = pane != viewPanes_.end() ? (*pane)->view() : editor_.xyView();
    const auto step = static_cast<float>(editor_.workspace().gridSize());
    return view.axes().point(step, -step, 0);
}

void CMainFrame::wireFaceTextureCommands()
{
    Editor& e = editor_;
    CQMap& map = e.map();
    const auto on = [this](const char* key, auto&& run) {
        connect((*actions_)[QString::fromLatin1(key)], &QAction::triggered, this, run);
    };
    // Moves the texture that way on the face: its offset runs against its axis.
    const auto shiftBy = [&e, &map](double x, double y) {
        const double step = e.workspace().snapToGrid() ? e.workspace().gridSize() : 1.0;
        NudgeFaces(map, {-x * step, y * step}, 0);
    };
    constexpr double kTurnDegrees = 15;
    on("texture.shiftLeft", [shiftBy] { shiftBy(-1, 0); });
    on("texture.shiftRight", [shiftBy] { shiftBy(1, 0); });
    on("texture.shiftUp", [shiftBy] { shiftBy(0, 1); });
    on("texture.shiftDown", [shiftBy] { shiftBy(0, -1); });
    on("texture.turnLeft", [&map] { NudgeFaces(map, {0, 0}, kTurnDegrees); });
    on("texture.turnRight", [&map] { NudgeFaces(map, {0, 0}, -kTurnDegrees); });
    on("texture.copy", [&e, &map] {
        if (auto copied = CopyFaceTexture(map)) e.clipboard().faceTexture = std::move(copied);
    });
    on("texture.paste", [&e, &map] {
        if (e.clipboard().faceTexture) PasteFaceTexture(map, *e.clipboard().faceTexture);
    });
    on("texture.replace", [this, &e, &map] {
        const auto asked = askReplaceTexture(this, map.currentTexture(), map.hasSelectedFaces() || map.countSelectedBrushes() > 0);
        if (!asked) return;
        const int changed = ReplaceTexture(map, asked->find, asked->replace, asked->selectionOnly);
        e.host().statusMessage("Replace Texture: " + std::to_string(changed) + " faces changed");
    });
    on("texture.selectFaces", [&map] { SelectFacesWithTexture(map, map.currentTexture()); });
    on("texture.selectBrushes", [&map] { SelectBrushesWithTexture(map, map.currentTexture()); });
}

void CMainFrame::refreshFaceTextureCommands()
{
    const CQMap& map = editor_.map();
    const bool faces = map.hasSelectedFaces();
    for (const char* key : {"texture.shiftLeft", "texture.shiftRight", "texture.shiftUp", "texture.shiftDown",
                            "texture.turnLeft", "texture.turnRight"}) {
        (*actions_)[QString::fromLatin1(key)]->setEnabled(faces);
    }
    (*actions_)[QStringLiteral("texture.copy")]->setEnabled(map.selectedFaces().size() == 1);
    (*actions_)[QStringLiteral("texture.paste")]->setEnabled(editor_.clipboard().faceTexture &&
                                                              (faces || map.countSelectedBrushes() > 0));
}

void CMainFrame::wireCommands()
{
    Editor& e = editor_;
    CQMap& map = e.map();
    Dialogs& dialogs = e.dialogs();
    Host& host = e.host();
    const auto on = [this](const char* key, auto&& run) {
        connect((*actions_)[QString::fromLatin1(key)], &QAction::triggered, this, run);
    };

    on("edit.undo", [&map] { map.Undo(); });
    on("edit.redo", [&map] { map.Redo(); });
    on("edit.cut", [&] { CutSelection(map, e.clipboard(), host); });
    on("edit.copy", [&] { CopySelection(map, e.clipboard()); });
    on("edit.paste", [&] { PasteBrushes(map, e.clipboard(), e.pastePlacement(), host); });
    on("edit.pasteInPlace", [&] { PasteInPlace(map, e.clipboard(), host); });
    on("edit.duplicate", [&] { DuplicateSelection(map, duplicateOffset(), host); });
    on("edit.selectAll", [&map] { SelectAllOfCurrentEntity(map); });
    on("edit.selectTexture", [&] { ChooseTexture(map, dialogs, e.prefs().wad); });
    on("edit.clipper", [&] {
        e.workspace().toggleClipperMode();
        host.updateViews(ViewFlags::All);
    });
    on("edit.vertexMode", [&] {
        e.workspace().toggleVertexMode();
        host.updateViews(ViewFlags::All);
    });
    on("edit.textureLock", [&] {
        map.textureLock = map.textureLock == TextureLock::On ? TextureLock::Off : TextureLock::On;
        host.updateViews(ViewFlags::All);
    });
    wireFaceTextureCommands();
    on("edit.rotationSettings", [&] { EditRotationSettings(map, dialogs, host); });
    on("edit.scaleFactor", [&] { EditScaleFactor(map, dialogs, host); });

    on("brush.entity", [&] { MakeIntoEntity(map, dialogs, e.classes(), host); });
    on("brush.room", [&] { MakeIntoRoom(map, dialogs, host); });
    on("brush.stairs", [&] { MakeIntoStairs(map, dialogs, host); });
    on("brush.arch", [&] { MakeIntoArch(map, dialogs, host); });
    on("brush.cylinder", [&] { MakeIntoCylinder(map, dialogs, host); });
    on("brush.spike", [&] { MakeIntoSpike(map, dialogs, host); });
    on("brush.ramp", [&] { MakeIntoRamp(map, dialogs, host); });
    on("brush.mirrorX", [&] { MirrorSelection(map, 0, host); });
    on("brush.mirrorY", [&] { MirrorSelection(map, 1, host); });
    on("brush.mirrorZ", [&] { MirrorSelection(map, 2, host); });
    on("brush.merge", [&] { MergeSelection(map, host); });
    on("brush.load", [&] { LoadBrushSelection(map, host, e.columnPlacement()); });
    on("brush.save", [&] { SaveBrushSelection(map, host); });
    on("brush.rotateX", [&] { RotateSelectionX(map, static_cast<float>(map.rotation.x), host); });
    on("brush.rotateBackX", [&] { RotateSelectionX(map, -static_cast<float>(map.rotation.x), host); });
    on("brush.rotateY", [&] { RotateSelectionY(map, static_cast<float>(map.rotation.y), host); });
    on("brush.rotateBackY", [&] { RotateSelectionY(map, -static_cast<float>(map.rotation.y), host); });
    on("brush.rotateZ", [&] { RotateSelectionZ(map, static_cast<float>(map.rotation.z), host); });
    on("brush.rotateBackZ", [&] { RotateSelectionZ(map, -static_cast<float>(map.rotation.z), host); });
    on("brush.scaleUp", [&] { ScaleSelectionBy(map, ScaleDirection::Up, host); });
    on("brush.scaleDown", [&] { ScaleSelectionBy(map, ScaleDirection::Down, host); });

    on("entity.properties", [&] { ShowEntityProperties(map, dialogs, e.classes(), host); });

    on("view.hideSelected", [&map] { HideSelected(map); });
    on("view.hideUnselected", [&map] { HideUnselected(map); });
    on("view.showAll", [&map] { ShowAll(map); });

    CXYView& xy = e.xyView();
    on("view.centerOnMap", [&xy] { xy.centreOnMap(); });
    on("view.findCamera", [&xy] { xy.findCamera(); });
    on("view.classNames", [&] {
        xy.setDrawClassNames(!xy.drawClassNames());
        host.updateViews(ViewFlags::XY);
    });
    on("view.grid", [&] {
        xy.toggleGrid();
        host.updateViews(ViewFlags::XY);
    });

    CameraController& camera = e.cameraView();
    // The camera is off or in one mode at a time: the menu marks which.
    auto* cameraModes = new QActionGroup(this);
    cameraModes->addAction((*actions_)[QStringLiteral("camera.off")]);
    on("camera.off", [&camera] { camera.turnOff(); });
    for (const CameraModeAction& entry : kCameraModeActions) {
        cameraModes->addAction((*actions_)[QString::fromLatin1(entry.key)]);
        on(entry.key, [&camera, mode = entry.mode] { camera.chooseMode(mode); });
    }
    on("camera.refresh", [&camera] { camera.refresh(); });

    on("file.setup", [this] { runSetupDialog(this, editor_); });
    on("help.shortcuts", [this] { showKeyboardShortcuts(*this); });
    on("help.about", [this] { showAboutDialog(this); });
    new BuildController(editor_, *actions_, *this, [this] { return save(); });


    const std::vector<QWidget*> panes{cameraPane_, controlPanel_, viewPanes_[0], zPane_, viewPanes_[1], viewPanes_[2]};
    // Help > Keyboard Shortcuts lists these with their What's This text.
    auto* nextPane = new QShortcut(QKeySequence(Qt::Key_F6), this);
    nextPane->setWhatsThis(QStringLiteral("Move the keyboard focus to the next pane"));
    connect(nextPane, &QShortcut::activated, this, [panes] { focusNextPane(panes, 1); });
    auto* previousPane = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this);
    previousPane->setWhatsThis(QStringLiteral("Move the keyboard focus to the previous pane"));
    connect(previousPane, &QShortcut::activated, this, [panes] { focusNextPane(panes, -1); });
}

} // namespace vorn
