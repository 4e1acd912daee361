#pragma once

#include <cstdint>
#include <vector>

namespace vorn {

class CQTexture;
struct TextureColours;

// A texture as 8-bit red, green, blue, alpha, rows top to bottom; alpha is always opaque.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
};

RgbaImage ToRgba(const CQTexture& texture, const TextureColours& colours);

} // namespace vorn
