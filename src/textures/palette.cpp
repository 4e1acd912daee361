#include "textures/palette.h"

namespace vorn {

CQPalette CQPalette::fromBytes(std::string_view bytes)
{
    CQPalette palette;
    if (bytes.size() < kBytes) return palette;
    for (int i = 0; i < kColours; ++i) {
        const auto at = [&](int channel) { return static_cast<uint8_t>(bytes[static_cast<size_t>(3 * i + channel)]); };
        palette.setColour(i, {at(0), at(1), at(2)});
    }
    return palette;
}

} // namespace vorn
