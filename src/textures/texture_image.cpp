#include "textures/texture_image.h"

#include "textures/texture.h"
#include "textures/texture_colours.h"

#include <array>

namespace vorn {

RgbaImage ToRgba(const CQTexture& texture, const TextureColours& colours)
{
    // One lookup per pixel value, not per pixel.
    std::array<std::array<uint8_t, 4>, 256> shown{};
    for (int value = 0; value < 256; ++value) {
        const Rgb& c = colours.palette.colour(colours.map[static_cast<uint8_t>(value)]);
        shown[static_cast<size_t>(value)] = {c.r, c.g, c.b, 255};
    }
    RgbaImage image;
    image.width = static_cast<int>(texture.width());
    image.height = static_cast<int>(texture.height());
    image.rgba.resize(texture.pixels().size() * 4);
    uint8_t* out = image.rgba.data();
    for (const uint8_t value : texture.pixels()) {
        const auto& rgba = shown[value];
        out[0] = rgba[0];
        out[1] = rgba[1];
        out[2] = rgba[2];
        out[3] = rgba[3];
        out += 4;
    }
    return image;
}

} // namespace vorn
