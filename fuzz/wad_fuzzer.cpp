// Reads arbitrary bytes as a texture archive and reads every entry back as a texture, a
// palette and an image.

#include "textures/default_palette.h"
#include "textures/texture_colours.h"
#include "textures/texture_image.h"
#include "textures/wad.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    vorn::CQWad wad;
    if (wad.loadBytes(std::string(reinterpret_cast<const char*>(data), size)) != vorn::WadStatus::Loaded) return 0;
    vorn::TextureColours colours{wad.readPalette(), {}};
    if (colours.palette.count() == 0) colours.palette = vorn::DefaultPalette();
    for (int i = 0; i < wad.count(); ++i) {
        const vorn::CQTexture texture = wad.readTexture(wad.entryName(i));
        const auto size = wad.textureSize(i);
        // A lump that reads as a texture must agree with its size alone (unless an earlier
        // entry of the same name won the look-up).
        if (size && *wad.find(wad.entryName(i)) == i &&
            (texture.width() != size->width || texture.height() != size->height)) {
            __builtin_trap();
        }
        const vorn::RgbaImage image = vorn::ToRgba(texture, colours);
        if (image.rgba.size() != 4 * size_t{texture.width()} * texture.height()) __builtin_trap();
    }
    return 0;
}
