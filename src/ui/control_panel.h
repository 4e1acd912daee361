#pragma once

#include "textures/texture_panel.h"
#include "ui/archive_texture_images.h"

#include <string>
#include <string_view>
#include <vector>

namespace vorn {

class CQEntity;
class Editor;

// The control panel's state: the current entity's pairs as rows, the map position under the
// mouse and the texture half (the map's archives, the current texture, its preview and size).
// Its widget shows this state.
class CQView {
public:
    explicit CQView(Editor& editor);

    // One row per pair: the key as stored, two blanks, the value as stored. No entity: no rows.
    void showEntity(const CQEntity* entity);
    const std::vector<std::string>& entityRows() const { return entityRows_; }

    void setPos(int x, int y)
    {
        posX_ = x;
        posY_ = y;
    }
    int posX() const { return posX_; }
    int posY() const { return posY_; }

    // Shows `name` as the panel's texture, loading the archives of the current "wad" value
    // silently when none are loaded.
    void setTexture(std::string_view name);
    const std::string& texture() const { return textures_.texture(); }
    // Loads the archives of the current "wad" value again; the report says which failed.
    ArchiveReport setWad();

    const TexturePanel& textures() const { return textures_; }
    // The loaded archives' texture sizes, for "Align Texture" and the camera.
    TextureSizeSource& textureSizes() { return textures_.archives(); }
    // The loaded archives' pictures in the panel's colours, for the camera.
    TextureImageSource& textureImages() { return images_; }

private:
    Editor& editor_;
    std::vector<std::string> entityRows_;
    int posX_ = 0;
    int posY_ = 0;
    TexturePanel textures_;
    ArchiveTextureImages images_{textures_};
};

} // namespace vorn
