#pragma once

#include <cstdint>

namespace vorn {

// One corner of a scene triangle, packed for the vertex buffer.
struct SceneVertex {
    float position[3];      // scene space
    float faceCentre[3];    // the mean of the face's corners, where flat shading takes its light
    float texCoord[2];      // in texture widths and heights
    std::int8_t normal[4];  // scene space, scaled to ±127; the fourth is kAlwaysTextured or 0
    std::uint8_t colour[4]; // red, green, blue scaled to 255; the fourth is unused
    std::uint32_t layer;    // the face's texture layer
};
static_assert(sizeof(SceneVertex) == 44);

// The layer of a face shown in its colour alone, in the textured mode too.
inline constexpr std::uint32_t kUntexturedLayer = 0xFFFFFFFFu;

// Marks a vertex whose picture shows in every mode that fills faces, not only the textured
// one: a model's skin is what it looks like.
inline constexpr std::int8_t kAlwaysTextured = 127;

} // namespace vorn
