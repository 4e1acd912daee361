#pragma once

#include <cstdint>

namespace vorn {

// One corner of a scene triangle, packed for the vertex buffer.
struct SceneVertex {
    float position[3];       // scene space
    float texCoord[2];       // in texture widths and heights
    std::int16_t toCentre[3]; // from the corner to the mean of its face's corners (where flat shading
                              // takes its light), in half units
    std::uint16_t layer;     // the face's texture layer
    std::int8_t normal[4];   // scene space, scaled to ±127; the fourth is kAlwaysTextured or 0
    std::uint8_t colour[4];  // red, green, blue scaled to 255; the fourth is unused
};
static_assert(sizeof(SceneVertex) == 36);

// The layer of a face shown in its colour alone, in the textured mode too; no texture array has
// as many layers.
inline constexpr std::uint16_t kUntexturedLayer = 0xFFFF;

// Marks a vertex whose picture shows in every mode that fills faces, not only the textured
// one: a model's skin is what it looks like.
inline constexpr std::int8_t kAlwaysTextured = 127;

} // namespace vorn
