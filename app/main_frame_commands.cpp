// The main window's editing, view and tool commands, each handed to the core.

#include "about_dialog.h"
#include "build_controller.h"
#include "control_panel_widget.h"
#include "document/brush_commands.h"
#include "document/brush_group_commands.h"
#include "document/edit_commands.h"
#include "document/entity_commands.h"
#include "document/view_commands.h"
#include "editor/editor.h"
#include "editor_actions.h"
#include "keyboard_shortcuts_dialog.h"
#include "main_frame.h"
#include "setup_dialog.h"
#include "xy_view_widget.h"
#include "z_view_widget.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QShortcut>

namespace vorn {
namespace {

// Moves the keyboard focus to the next (or previous) of the four panes.
void focusNextPane(const std::array<QWidget*, 4>& panes, int direction)
{
    int current = 0;
    for (int i = 0; i < 4; ++i) {
        if (panes[static_cast<size_t>(i)]->isAncestorOf(QApplication::focusWidget()) ||
            panes[static_cast<size_t>(i)] == QApplication::focusWidget()) {
            current = i;
        }
    }
    panes[static_cast<size_t>((current + direction + 4) % 4)]->setFocus(Qt::ShortcutFocusReason);
}

} // namespace

void CMainFrame::wireCommands()
{
    Editor& e = editor_;
    const auto on = [this](const char* key, auto&& run) {
        connect((*actions_)[QString::fromLatin1(key)], &QAction::triggered, this, run);
    };

    on("edit.cut", [&e] { CutSelection(e); });
    on("edit.copy", [&e] { CopySelection(e); });
    on("edit.paste", [&e] { PasteClipboard(e); });
    on("edit.selectAll", [&e] { SelectAllOfCurrentEntity(e); });
    on("edit.selectTexture", [&e] { ChooseTexture(e); });
    on("edit.clipper", [&e] { e.xyView().toggleClipperMode(); });
    on("edit.rotationSettings", [&e] { EditRotationSettings(e); });
    on("edit.scaleFactor", [&e] { EditScaleFactor(e); });

    on("brush.entity", [&e] { MakeIntoEntity(e); });
    on("brush.room", [&e] { MakeIntoRoom(e); });
    on("brush.stairs", [&e] { MakeIntoStairs(e); });
    on("brush.arch", [&e] { MakeIntoArch(e); });
    on("brush.cylinder", [&e] { MakeIntoCylinder(e); });
    on("brush.spike", [&e] { MakeIntoSpike(e); });
    on("brush.ramp", [&e] { MakeIntoRamp(e); });
    on("brush.load", [&e] { LoadBrushSelection(e); });
    on("brush.save", [&e] { SaveBrushSelection(e); });
    on("brush.rotateX", [&e] { RotateSelection(e, Axis::X, Turn::Forward); });
    on("brush.rotateBackX", [&e] { RotateSelection(e, Axis::X, Turn::Back); });
    on("brush.rotateY", [&e] { RotateSelection(e, Axis::Y, Turn::Forward); });
    on("brush.rotateBackY", [&e] { RotateSelection(e, Axis::Y, Turn::Back); });
    on("brush.rotateZ", [&e] { RotateSelection(e, Axis::Z, Turn::Forward); });
    on("brush.rotateBackZ", [&e] { RotateSelection(e, Axis::Z, Turn::Back); });
    on("brush.scaleUp", [&e] { ScaleSelectionBy(e, ScaleDirection::Up); });
    on("brush.scaleDown", [&e] { ScaleSelectionBy(e, ScaleDirection::Down); });

    on("entity.properties", [&e] { ShowEntityProperties(e); });

    on("view.centerOnMap", [&e] { CenterOnMap(e); });
    on("view.findCamera", [&e] { FindCamera(e); });
    on("view.classNames", [&e] { ToggleClassNames(e); });
    on("view.grid", [&e] { ToggleGrid(e); });

    CameraController& camera = e.cameraView();
    on("camera.off", [&camera] { camera.turnOff(); });
    on("camera.wireframe", [&camera] { camera.chooseMode(RenderMode::Wireframe); });
    on("camera.unlitFlat", [&camera] { camera.chooseMode(RenderMode::UnlitFlat); });
    on("camera.flatShaded", [&camera] { camera.chooseMode(RenderMode::FlatShaded); });
    on("camera.gouraud", [&camera] { camera.chooseMode(RenderMode::Gouraud); });
    on("camera.textured", [&camera] { camera.chooseMode(RenderMode::Textured); });
    on("camera.refresh", [&camera] { camera.refresh(); });

    on("file.setup", [this] { runSetupDialog(this, editor_); });
    on("help.shortcuts", [this] { showKeyboardShortcuts(*this); });
    on("help.about", [this] { showAboutDialog(this); });
    new BuildController(editor_, *actions_, *this);


    const std::array<QWidget*, 4> panes{cameraPane_, controlPanel_, xyPane_, zPane_};
    // Help > Keyboard Shortcuts lists these with their What's This text.
    auto* nextPane = new QShortcut(QKeySequence(Qt::Key_F6), this);
    nextPane->setWhatsThis(QStringLiteral("Move the keyboard focus to the next pane"));
    connect(nextPane, &QShortcut::activated, this, [panes] { focusNextPane(panes, 1); });
    auto* previousPane = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this);
    previousPane->setWhatsThis(QStringLiteral("Move the keyboard focus to the previous pane"));
    connect(previousPane, &QShortcut::activated, this, [panes] { focusNextPane(panes, -1); });
}

} // namespace vorn
