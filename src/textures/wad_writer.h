#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// Builds a WAD2 archive in memory: lumps in the order added, then the directory. The editor
// only reads archives; this serves the tool that makes the bundled one, and tests.
class WadWriter {
public:
    void addLump(uint8_t type, std::string_view name, std::string_view data);
    // A texture lump with its full-size image and the three reduced levels the game's compilers
    // read; `pixels` holds width × height palette indices.
    void addTexture(std::string_view name, uint32_t width, uint32_t height, const std::vector<uint8_t>& pixels);

    std::string bytes() const;

private:
    struct Lump {
        uint8_t type;
        std::string name;
        std::string data;
    };
    std::vector<Lump> lumps_;
};

} // namespace vorn
