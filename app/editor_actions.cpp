#include "editor_actions.h"

#include "icons.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace vorn {
namespace {

struct Entry {
    const char* key;
    const char* text;
    const char* prompt; // status bar text, then a line feed and the tool tip
    const char* icon;
    std::initializer_list<QKeySequence> shortcuts;
    bool checkable;
};

// Every command, with the prompt shown in the status bar while it is highlighted.
const Entry kEntries[] = {
    {"file.new", "&New", "Create a new map\nNew", "new", {QKeySequence(QStringLiteral("Ctrl+N"))}, false},
    {"file.open", "&Open...", "Open an existing map\nOpen", "open", {QKeySequence(QStringLiteral("Ctrl+O"))}, false},
    {"file.save", "&Save", "Save the map\nSave", "save", {QKeySequence(QStringLiteral("Ctrl+S"))}, false},
    {"file.saveAs", "Save &As...", "Save the map under a new name\nSave As", "", {}, false},
    {"file.setup", "&Vorn Setup", "Set the paths of the build tools, the entity list and the author\nVorn Setup", "", {}, false},
    {"file.print", "&Print...", "Print the active view\nPrint", "", {QKeySequence(QStringLiteral("Ctrl+P"))}, false},
    {"file.printPreview", "Print Pre&view", "Show how the active view will print\nPrint Preview", "", {}, false},
    {"file.printSetup", "P&rint Setup...", "Choose the printer and the page\nPrint Setup", "", {}, false},
    {"file.exit", "E&xit", "Quit the editor; asks to save a changed map\nExit", "", {}, false},

    {"edit.undo", "&Undo", "Undo the last action\nUndo", "",
     {QKeySequence(QStringLiteral("Ctrl+Z")), QKeySequence(QStringLiteral("Alt+Backspace"))}, false},
    {"edit.redo", "&Redo", "Do again the last action undone\nRedo", "",
     {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))}, false},
    {"edit.cut", "Cu&t", "Cut the selected brushes to the clipboard\nCut", "cut",
     {QKeySequence(QStringLiteral("Ctrl+X")), QKeySequence(QStringLiteral("Shift+Del"))}, false},
    {"edit.copy", "&Copy", "Copy the selected brushes to the clipboard\nCopy", "copy",
     {QKeySequence(QStringLiteral("Ctrl+C")), QKeySequence(QStringLiteral("Ctrl+Ins"))}, false},
    {"edit.paste", "&Paste", "Paste the clipboard at the mouse position\nPaste", "paste",
     {QKeySequence(QStringLiteral("Ctrl+V")), QKeySequence(QStringLiteral("Shift+Ins"))}, false},
    {"edit.pasteInPlace", "Paste in Pl&ace", "Paste the clipboard where its brushes were copied from\nPaste in Place", "",
     {QKeySequence(QStringLiteral("Ctrl+Shift+V"))}, false},
    {"edit.duplicate", "&Duplicate", "Copy the selection a grid step right and down in the view under the mouse\nDuplicate", "",
     {QKeySequence(QStringLiteral("Ctrl+D"))}, false},
    {"edit.selectAll", "Select &All", "Select every brush of the current entity\nSelect All", "",
     {QKeySequence(QStringLiteral("Ctrl+A"))}, false},
    {"edit.selectTexture", "Select &Texture", "Choose the current texture from the map's textures\nSelect Texture", "",
     {QKeySequence(QStringLiteral("Ctrl+T"))}, false},
    {"edit.clipper", "C&lipper Mode", "Place clip points with clicks in the XY view\nClipper mode", "clipper", {}, true},
    {"edit.vertexMode", "&Vertex Mode", "Move the corners, edges and faces of the selected brushes\nVertex mode", "vertex",
     {QKeySequence(QStringLiteral("V"))}, true},
    {"texture.shiftLeft", "Shift Texture &Left", "Shift the selected faces' textures left by the grid step\nShift texture left", "",
     {QKeySequence(QStringLiteral("Shift+Left"))}, false},
    {"texture.shiftRight", "Shift Texture &Right", "Shift the selected faces' textures right by the grid step\nShift texture right", "",
     {QKeySequence(QStringLiteral("Shift+Right"))}, false},
    {"texture.shiftUp", "Shift Texture &Up", "Shift the selected faces' textures up by the grid step\nShift texture up", "",
     {QKeySequence(QStringLiteral("Shift+Up"))}, false},
    {"texture.shiftDown", "Shift Texture &Down", "Shift the selected faces' textures down by the grid step\nShift texture down", "",
     {QKeySequence(QStringLiteral("Shift+Down"))}, false},
    {"texture.turnLeft", "Turn Texture &Anticlockwise", "Turn the selected faces' textures by 15 degrees\nTurn texture anticlockwise", "",
     {QKeySequence(QStringLiteral("Shift+PgUp"))}, false},
    {"texture.turnRight", "Turn Texture &Clockwise", "Turn the selected faces' textures back by 15 degrees\nTurn texture clockwise", "",
     {QKeySequence(QStringLiteral("Shift+PgDown"))}, false},
    {"texture.copy", "C&opy Face Texture", "Copy the texture of the selected face\nCopy face texture", "",
     {QKeySequence(QStringLiteral("Ctrl+Alt+C"))}, false},
    {"texture.paste", "Pa&ste Face Texture", "Put the copied face texture on the selected faces or brushes\nPaste face texture", "",
     {QKeySequence(QStringLiteral("Ctrl+Alt+V"))}, false},
    {"texture.replace", "Re&place Texture...", "Replace one texture by another in the selection or the map\nReplace texture", "", {}, false},
    {"texture.selectFaces", "Select &Faces with Texture", "Select every face with the current texture\nSelect faces with texture", "", {}, false},
    {"texture.selectBrushes", "Select &Brushes with Texture", "Select the current entity's brushes with the current texture\nSelect brushes with texture", "", {}, false},
    {"edit.rotationSettings", "&Rotation Settings", "Rotate a brush selection about Z or X axis", "", {}, false},
    {"edit.scaleFactor", "&Scale Factor", "Scale a brush selection\nScale ", "", {}, false},

    {"brush.entity", "Make into &Entity", "Make the selected brushes into a new entity\nMake into Entity", "",
     {QKeySequence(QStringLiteral("Ctrl+E"))}, false},
    {"brush.room", "Make into &Room", "Make a brush into a room\nMake into Room", "", {}, false},
    {"brush.stairs", "Make into &Stairs", "Make selected brush into stairs\nMake into stairs", "stairs", {}, false},
    {"brush.arch", "Make into &Arch", "Make selected brush into an arch\nMake into arch", "", {}, false},
    {"brush.cylinder", "Make into &Cylinder", "Make selected brush into a cylinder\nMake into cylinder", "", {}, false},
    {"brush.spike", "Make into S&pike", "Make selected brush into a spike\nMake into spike", "", {}, false},
    {"brush.ramp", "Make into Ra&mp", "Make selected brush into a ramp\nMake into ramp", "ramp", {}, false},
    {"brush.mirrorX", "Mirror &X", "Mirror the selection along the x axis about its middle\nMirror X", "", {}, false},
    {"brush.mirrorY", "Mirror &Y", "Mirror the selection along the y axis about its middle\nMirror Y", "", {}, false},
    {"brush.mirrorZ", "Mirror &Z", "Mirror the selection along the z axis about its middle\nMirror Z", "", {}, false},
    {"brush.merge", "Mer&ge", "Replace the selected brushes by the convex solid around them\nMerge", "", {}, false},
    {"brush.load", "&Load from file", "Load brushes from a brush file at the Z view's marker\nLoad brushes", "", {}, false},
    {"brush.save", "&Save to file", "Save the selected brushes to a brush file\nSave brushes", "", {}, false},
    {"brush.rotateX", "Rotate on X", "Rotate brush selection around the x axis\nRotate on X", "rotate_x", {}, false},
    {"brush.rotateBackX", "Rotate back on X", "Rotate brush selection backword around the x axis\nRotate back on X",
     "rotate_x_back", {}, false},
    {"brush.rotateY", "Rotate on Y", "Rotate brush selection around the y axis\nRotate on Y", "rotate_y", {}, false},
    {"brush.rotateBackY", "Rotate back on Y", "Rotate brush selection backword around the y axis\nRotate back on Y",
     "rotate_y_back", {}, false},
    {"brush.rotateZ", "Rotate on Z", "Rotate brush selection around the z axis\nRotate on Z", "rotate_z", {}, false},
    {"brush.rotateBackZ", "Rotate back on Z", "Rotate brush selection backward around the z axis\nRotate back on Z",
     "rotate_z_back", {}, false},
    {"brush.scaleUp", "Scale up", "Scale up a brush selection\nScale up", "scale_up", {}, false},
    {"brush.scaleDown", "Scale down", "Scale down a brush selection\nScale down", "scale_down", {}, false},

    {"entity.properties", "&Properties", "Edit the properties of the current entity\nEntity Properties", "",
     {QKeySequence(QStringLiteral("F2"))}, false},

    {"view.toolbar", "&Toolbar", "Show or hide the toolbar\nToolbar", "", {}, true},
    {"view.statusBar", "&Status Bar", "Show or hide the status bar\nStatus Bar", "", {}, true},
    {"view.problems", "&Problems", "Show or hide the list of the map's problems\nProblems", "", {}, true},
    {"view.hideSelected", "&Hide Selected", "Hide the selected brushes\nHide Selected", "",
     {QKeySequence(QStringLiteral("H"))}, false},
    {"view.hideUnselected", "Hide &Unselected", "Hide every brush but the selected ones\nHide Unselected", "",
     {QKeySequence(QStringLiteral("Alt+H"))}, false},
    {"view.showAll", "Show A&ll", "Show every hidden brush again\nShow All", "", {QKeySequence(QStringLiteral("Shift+H"))}, false},
    {"view.centerOnMap", "&Center on Map", "Centre the XY view on the map\nCenter on Map", "", {}, false},
    {"view.findCamera", "&Find Camera", "Centre the XY view on the camera\nFind Camera", "", {}, false},
    {"view.classNames", "Show Class&names", "Show the class names of the entities\nShow Classnames", "classnames", {}, true},
    {"view.grid", "Show &Grid", "Show the grid of the XY view\nShow Grid", "grid", {}, true},
    {"camera.off", "&Off", "Turn the camera view off\nCamera off", "camera_off", {}, true},
    {"camera.wireframe", "&Wireframe", "Show the camera view as wireframe\nWireframe", "wireframe", {}, true},
    {"camera.unlitFlat", "&Unlit Flat", "Show the camera view flat and unlit\nUnlit flat", "unlit_flat", {}, true},
    {"camera.flatShaded", "Flat &Shaded", "Show the camera view flat shaded\nFlat shaded", "flat_shaded", {}, true},
    {"camera.gouraud", "&Gouraud Shaded", "Show the camera view smoothly shaded\nGouraud shaded", "gouraud", {}, true},
    {"edit.textureLock", "Texture &Lock", "Keep the textures fixed to their faces when brushes move, turn or scale\nTexture lock", "texture_lock", {}, true},
    {"camera.textured", "&Textured", "Show the camera view textured\nTextured", "textured", {}, true},
    {"view.layoutFour", "&Four Views", "Show the camera and the map from the top, the front and the side\nFour views", "", {}, true},
    {"view.layoutClassic", "&Classic", "Show the camera and the control panel above the top view and the Z view\nClassic layout", "", {}, true},
    {"camera.refresh", "&Refresh", "Rebuild the camera view\nRefresh camera", "", {QKeySequence(QStringLiteral("F5"))}, false},

    {"build.qbspFull", "Full", "Build a bsp from the map file\nQBsp Full", "", {}, false},
    {"build.qbspEntities", "Entities Only", "QBsp only the entities without brushes\nQBsp Entities Only", "", {}, false},
    {"build.lightRegular", "&Regular", "Calculate lighting in the map\nLight", "", {}, false},
    {"build.lightExtra", "&Extra", "Calculate lighting in the map with extra detail\nLight Extra", "", {}, false},
    {"build.visFast", "Fast", "Build PVS set (speeds up playing) (faster with less detail)\nVis fast", "", {}, false},
    {"build.visRegular", "Regular", "Build PVS set (speeds up playing)\nVis", "", {}, false},
    {"build.test", "Test", "Run map in Quake\nRun Quake", "", {}, false},
    {"build.compile", "&Compile", "Build the bsp, its PVS set and its lighting, stopping at the first tool that fails\nCompile",
     "", {QKeySequence(QStringLiteral("F9"))}, false},
    {"build.checkProblems", "Check for &Problems", "Check the map for problems and test the saved map for leaks\nCheck for Problems", "",
     {QKeySequence(QStringLiteral("F8"))}, false},
    {"build.clearLeak", "Clear Lea&k Path", "Stop showing the leak path of the last compile\nClear Leak Path", "", {}, false},

    {"help.shortcuts", "&Keyboard Shortcuts", "List the keys of the menus and the views\nKeyboard Shortcuts", "",
     {QKeySequence(QStringLiteral("F1"))}, false},
    {"help.about", "&About Vorn...", "Show the program's version\nAbout", "about", {}, false},
};

// Adds the actions in order to a menu or a toolbar; an empty key is a separator.
template <typename Bar>
void addAll(Bar* bar, const EditorActions& actions, std::initializer_list<const char*> keys)
{
    for (const char* key : keys) {
        if (*key == '\0') {
            bar->addSeparator();
        } else {
            bar->addAction(actions[QString::fromLatin1(key)]);
        }
    }
}

} // namespace

EditorActions::EditorActions(QObject* parent) : QObject(parent)
{
    for (const Entry& entry : kEntries) {
        QAction* action = add(QString::fromLatin1(entry.key), QString::fromLatin1(entry.text),
                              QString::fromLatin1(entry.prompt), QString::fromLatin1(entry.icon));
        action->setShortcuts(QList<QKeySequence>(entry.shortcuts));
        action->setCheckable(entry.checkable);
    }
}

QAction* EditorActions::add(const QString& key, const QString& text, const QString& prompt, const QString& iconName)
{
    auto* action = new QAction(text, this);
    action->setObjectName(key);
    action->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
    const QString tip = prompt.section(QLatin1Char('\n'), 1, 1);
    if (!tip.isEmpty()) action->setToolTip(tip);
    if (!iconName.isEmpty()) action->setIcon(icon(iconName));
    actions_[key] = action;
    return action;
}

QAction* EditorActions::operator[](const QString& key) const
{
    return actions_.at(key);
}

void EditorActions::fillMenuBar(QMenuBar& bar, QMenu*& recentFilesMenu) const
{
    QMenu* file = bar.addMenu(QStringLiteral("&File"));
    addAll(file, *this, {"file.new", "file.open", "file.save", "file.saveAs", "", "file.setup", "", "file.print",
                         "file.printPreview", "file.printSetup", ""});
    recentFilesMenu = file->addMenu(QStringLiteral("Recent &Files"));
    addAll(file, *this, {"", "file.exit"});

    QMenu* edit = bar.addMenu(QStringLiteral("&Edit"));
    addAll(edit, *this,
           {"edit.undo", "edit.redo", "", "edit.cut", "edit.copy", "edit.paste", "edit.pasteInPlace", "edit.duplicate",
            "edit.selectAll", "edit.selectTexture", "", "edit.clipper", "edit.vertexMode", "edit.textureLock", "",
            "texture.replace", "texture.selectFaces", "texture.selectBrushes", "",
            "edit.rotationSettings", "edit.scaleFactor"});
    addAll(edit->addMenu(QStringLiteral("&Face Texture")), *this,
           {"texture.shiftLeft", "texture.shiftRight", "texture.shiftUp", "texture.shiftDown", "texture.turnLeft",
            "texture.turnRight", "", "texture.copy", "texture.paste"});
    addAll(bar.addMenu(QStringLiteral("&Brush")), *this,
           {"brush.entity", "", "brush.room", "brush.stairs", "brush.arch", "brush.cylinder", "brush.spike", "brush.ramp",
            "", "brush.mirrorX", "brush.mirrorY", "brush.mirrorZ", "brush.merge", "", "brush.load", "brush.save"});
    addAll(bar.addMenu(QStringLiteral("E&ntity")), *this, {"entity.properties"});

    QMenu* view = bar.addMenu(QStringLiteral("&View"));
    addAll(view, *this, {"view.toolbar", "view.statusBar", "view.problems", "", "view.hideSelected", "view.hideUnselected", "view.showAll", ""});
    addAll(view->addMenu(QStringLiteral("&Layout")), *this, {"view.layoutFour", "view.layoutClassic"});
    addAll(view->addMenu(QStringLiteral("&XY View")), *this,
           {"view.centerOnMap", "view.findCamera", "view.classNames", "view.grid"});
    addAll(view->addMenu(QStringLiteral("&Camera")), *this,
           {"camera.off", "camera.wireframe", "camera.unlitFlat", "camera.flatShaded", "camera.gouraud",
            "camera.textured", "", "camera.refresh"});

    QMenu* build = bar.addMenu(QStringLiteral("B&uild"));
    addAll(build, *this, {"build.compile", "build.checkProblems", ""});
    addAll(build->addMenu(QStringLiteral("&QBSP")), *this, {"build.qbspFull", "build.qbspEntities"});
    addAll(build->addMenu(QStringLiteral("&Light")), *this, {"build.lightRegular", "build.lightExtra"});
    addAll(build->addMenu(QStringLiteral("&Vis")), *this, {"build.visFast", "build.visRegular"});
    addAll(build, *this, {"build.test", "", "build.clearLeak"});

    // Alt+H hides the unselected brushes, so the Help menu opens with Alt+P.
    addAll(bar.addMenu(QStringLiteral("Hel&p")), *this, {"help.shortcuts", "", "help.about"});
}

void EditorActions::fillToolBar(QToolBar& bar) const
{
    addAll(&bar, *this,
           {"file.new", "file.open", "file.save", "", "edit.cut", "edit.copy", "edit.paste", "", "view.grid",
            "view.classNames", "", "brush.rotateX", "brush.rotateBackX", "brush.rotateY", "brush.rotateBackY",
            "brush.rotateZ", "brush.rotateBackZ", "", "brush.scaleUp", "brush.scaleDown", "brush.stairs", "brush.ramp", "",
            "edit.clipper", "edit.vertexMode", "edit.textureLock", "", "camera.off", "camera.wireframe", "camera.unlitFlat",
            "camera.flatShaded", "camera.gouraud", "camera.textured", "", "help.about"});
}

} // namespace vorn
