#include "render/texture_image_source.h"

#include <algorithm>

namespace vorn {

RgbaImage MissingTextureImage(int size)
{
    RgbaImage image{size, size, std::vector<std::uint8_t>(static_cast<size_t>(size * size * 4))};
    const int square = std::max(1, size / 8);
    std::uint8_t* out = image.rgba.data();
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool lit = ((x / square) + (y / square)) % 2 == 0;
            *out++ = lit ? 255 : 0;
            *out++ = 0;
            *out++ = lit ? 255 : 0;
            *out++ = 255;
        }
    }
    return image;
}

} // namespace vorn
