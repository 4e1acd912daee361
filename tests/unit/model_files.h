#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace vorn::test {

// Game files made by the tests: alias models and PACK archives.

inline void putInt(std::string& bytes, size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes[offset + static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A PACK archive holding the files, in order.
inline std::string pakOf(const std::vector<std::pair<std::string, std::string>>& files)
{
    std::string data;
    std::string directory;
    for (const auto& [name, bytes] : files) {
        std::string entry(64, '\0');
        entry.replace(0, name.size(), name);
        putInt(entry, 56, static_cast<std::uint32_t>(12 + data.size()));
        putInt(entry, 60, static_cast<std::uint32_t>(bytes.size()));
        directory += entry;
        data += bytes;
    }
    std::string pak = "PACK" + std::string(8, '\0') + data + directory;
    putInt(pak, 4, static_cast<std::uint32_t>(12 + data.size()));
    putInt(pak, 8, static_cast<std::uint32_t>(directory.size()));
    return pak;
}

inline void putFloat(std::string& bytes, size_t offset, float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, 4);
    putInt(bytes, offset, bits);
}

// A tetrahedron of 16 units: one frame, one 4 x 4 skin.
inline std::string tetrahedron()
{
    std::string model = "IDPO" + std::string(80, '\0');
    putInt(model, 4, 6);
    for (int axis = 0; axis < 3; ++axis) putFloat(model, 8 + 4 * static_cast<size_t>(axis), 1); // scale; the origin is 0
    const std::uint32_t counts[] = {1, 4, 4, 4, 4, 1}; // skins, skin width, height, vertices, triangles, frames
    for (size_t i = 0; i < 6; ++i) putInt(model, 48 + 4 * i, counts[i]);
    model += std::string(4, '\0') + std::string(16, '\x07'); // a single skin
    model += std::string(4 * 12, '\0');                       // skin vertices
    const std::uint32_t triangles[4][3] = {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}};
    for (const auto& corners : triangles) {
        std::string triangle(16, '\0');
        putInt(triangle, 0, 1);
        for (size_t c = 0; c < 3; ++c) putInt(triangle, 4 + 4 * c, corners[c]);
        model += triangle;
    }
    model += std::string(4, '\0') + std::string(8, '\0') + std::string(16, '\0'); // a single frame: bounds, name
    model += std::string("\0\0\0\0\x10\0\0\0\0\x10\0\0\0\0\x10\0", 16);
    return model;
}

} // namespace vorn::test
