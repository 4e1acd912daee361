#include "editor/editor.h"

#include "entities/bundled_entity_list.h"
#include "platform/host.h"

namespace vorn {

Editor::Editor(Host& host, Dialogs& dialogs, Preferences preferences)
    : host_(host), dialogs_(dialogs), prefs_(std::move(preferences)), xyView_(*this), zView_(*this), cameraView_(*this), map_(*this)
{
    panel_.setTexture(prefs_.curTexture);
}

bool Editor::loadEntityClasses()
{
    if (classes_.loadFile(prefs_.entityList, host_)) return true;
    classes_.loadText(BundledEntityList());
    return false;
}

void Editor::updateViews(int flags)
{
    host_.updateViews(flags);
}

void Editor::rebuildCameraScene()
{
    cameraView_.rebuildScene();
}

void Editor::refreshSelectionInCamera()
{
    cameraView_.refreshSelection();
}

void Editor::textureArchiveChanged()
{
    // Nothing loads texture archives yet; the name is kept in the preferences.
}

} // namespace vorn
