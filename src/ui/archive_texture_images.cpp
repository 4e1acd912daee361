#include "ui/archive_texture_images.h"

#include "textures/texture_panel.h"

namespace vorn {

std::optional<RgbaImage> ArchiveTextureImages::image(std::string_view name)
{
    const CQTexture texture = panel_.archives().readTexture(name);
    if (texture.isInvalid()) return std::nullopt;
    return ToRgba(texture, panel_.colours());
}

} // namespace vorn
