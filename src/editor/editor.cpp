#include "editor/editor.h"

#include "entities/bundled_entity_list.h"
#include "platform/host.h"
#include "textures/texture_archives.h"

namespace vorn {

Editor::Editor(Host& host, Dialogs& dialogs, Preferences preferences)
    : host_(host), dialogs_(dialogs), prefs_(std::move(preferences)), xyView_(*this), zView_(*this), cameraView_(*this), map_(*this)
{
    panel_.setTexture(prefs_.curTexture);
    cameraView_.setTextureSources(panel_.textureSizes(), panel_.textureImages());
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

std::vector<std::string> Editor::textureFolders() const
{
    return TextureSearchFolders(map_.pathName(), prefs_.gameFolder);
}

void Editor::textureArchiveChanged()
{
    ShowArchiveReport(panel_.setWad(), host_);
    // The list is new: the current texture is looked up in it again.
    panel_.setTexture(map_.currentTexture());
    cameraView_.texturesChanged();
    host_.controlPanelChanged();
}

} // namespace vorn
