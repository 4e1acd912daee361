#pragma once

#include "render/texture_image_source.h"

namespace vorn {

class TexturePanel;

// The pictures of the control panel's archives in the panel's colours: what the camera draws
// textured faces with. A name the archives lack has no picture.
class ArchiveTextureImages final : public TextureImageSource {
public:
    explicit ArchiveTextureImages(const TexturePanel& panel) : panel_(panel) {}
    std::optional<RgbaImage> image(std::string_view name) override;

private:
    const TexturePanel& panel_;
};

} // namespace vorn
