#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace vorn {

// Which palette colour shows each pixel value: entry i is the index used for value i.
class CQPaletteMap {
public:
    static constexpr size_t kRowBytes = 256;

    CQPaletteMap();

    // Takes row `row` of a colour map (rows of 256 bytes); false and unchanged when the bytes
    // hold no such row.
    bool loadRow(std::string_view colourMap, int row);

    uint8_t operator[](uint8_t value) const { return table_[value]; }
    void set(uint8_t value, uint8_t index) { table_[value] = index; }

private:
    std::array<uint8_t, kRowBytes> table_{};
};

} // namespace vorn
