#pragma once

#include "textures/texture_panel.h"
#include "ui/archive_texture_images.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorn {

class CQEntity;
class Workspace;

// The control panel's state: the current entity's pairs as rows and the texture half (the map's
// archives, the current texture's list item, its preview and size). Its widget shows this state.
class CQView {
public:
    explicit CQView(const Workspace& workspace);

    // One row per pair: the key as stored, two blanks, the value as stored. No entity: no rows.
    void showEntity(const CQEntity* entity);
    const std::vector<std::string>& entityRows() const { return entityRows_; }

    // Shows `name` as the panel's texture, loading the archives of the current "wad" value
    // silently when none are loaded.
    void setTexture(std::string_view name);
    // Loads the archives of the current "wad" value again; the report says which failed.
    ArchiveReport setWad();
    // Where the map's texture archives and the game's colour files are looked for: the map's
    // folder, the current folder, the game folder.
    std::vector<std::string> textureFolders() const;

    const TexturePanel& textures() const { return textures_; }
    // The loaded archives' texture sizes, for "Align Texture" and the camera.
    TextureSizeSource& textureSizes() { return textures_.archives(); }
    // The loaded archives' pictures in the panel's colours, for the camera.
    TextureImageSource& textureImages() { return images_; }

private:
    const Workspace& workspace_;
    std::vector<std::string> entityRows_;
    TexturePanel textures_;
    ArchiveTextureImages images_{textures_};
};

} // namespace vorn
