#pragma once

#include "textures/palette.h"
#include "textures/palette_map.h"

#include <string>
#include <vector>

namespace vorn {

class TextureArchives;

// The colours textures are shown with: pixel value p shows palette colour map[p].
struct TextureColours {
    CQPalette palette;
    CQPaletteMap map;
};

// The game's own colours win where they are at hand: the archives' palette lump, else
// "palette.lmp" in the first folder that has a whole one, else the default palette; row 32 of
// "colormap.lmp" in the first folder that has it, else the identity, which shows the palette's
// colours as they are.
TextureColours FindTextureColours(const TextureArchives& archives, const std::vector<std::string>& folders);

} // namespace vorn
