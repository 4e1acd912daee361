#include "textures/palette_map.h"

namespace vorn {

CQPaletteMap::CQPaletteMap()
{
    for (size_t i = 0; i < table_.size(); ++i) table_[i] = static_cast<uint8_t>(i);
}

bool CQPaletteMap::loadRow(std::string_view colourMap, int row)
{
    if (row < 0) return false;
    const size_t start = static_cast<size_t>(row) * kRowBytes;
    if (start > colourMap.size() || colourMap.size() - start < kRowBytes) return false;
    for (size_t i = 0; i < table_.size(); ++i) table_[i] = static_cast<uint8_t>(colourMap[start + i]);
    return true;
}

} // namespace vorn
