#pragma once

#include "platform/canvas.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace vorn {

// The colours of one palette: 256 of them, or none (count 0, all black).
class CQPalette {
public:
    static constexpr int kColours = 256;
    static constexpr size_t kBytes = 3 * kColours;

    CQPalette() = default;
    // 768 bytes of red, green, blue; fewer leave the palette empty.
    static CQPalette fromBytes(std::string_view bytes);

    int count() const { return count_; }
    const Rgb& colour(int index) const { return colours_[static_cast<size_t>(index)]; }
    void setColour(int index, Rgb colour)
    {
        colours_[static_cast<size_t>(index)] = colour;
        count_ = kColours;
    }

private:
    int count_ = 0;
    std::array<Rgb, kColours> colours_{};
};

} // namespace vorn
