#pragma once

#include "geometry/vec3.h"
#include "render/scene_vertex.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace vorn {

// The nearest whole number, halves away from zero, of a value within ±32767: as std::lround,
// without its call into the maths library (millions of values per scene).
inline std::int32_t RoundSmall(float v)
{
    const float whole = std::trunc(v);
    const float rest = v - whole; // exact
    return static_cast<std::int32_t>(whole) + (rest >= 0.5f ? 1 : 0) - (rest <= -0.5f ? 1 : 0);
}

// A normal's component for the vertex buffer, scaled to ±127.
inline std::int8_t PackNormal(float v)
{
    return static_cast<std::int8_t>(RoundSmall(std::clamp(v, -1.0f, 1.0f) * 127.0f));
}

// A colour's component for the vertex buffer, scaled to 255.
inline std::uint8_t PackColour(float v)
{
    return static_cast<std::uint8_t>(RoundSmall(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

// What a scene vertex is made of, before packing.
struct SceneCorner {
    Vec3 position;   // scene space
    Vec3 faceCentre; // scene space
    float s = 0;
    float t = 0;
    Vec3 normal;     // scene space, unit
    bool alwaysTextured = false;
    std::array<std::uint8_t, 3> colour{};
    std::uint32_t layer = kUntexturedLayer;
};

// The corner packed for the vertex buffer. The way to the face's centre is kept in half units
// up to 16383 units; a layer past the last one the buffer can number shows untextured.
inline SceneVertex PackCorner(const SceneCorner& c)
{
    const auto half = [](float from, float to) {
        return static_cast<std::int16_t>(RoundSmall(std::clamp((to - from) * 2.0f, -32767.0f, 32767.0f)));
    };
    const auto layer = static_cast<std::uint16_t>(std::min<std::uint32_t>(c.layer, kUntexturedLayer));
    return {{c.position.x, c.position.y, c.position.z},
            {c.s, c.t},
            {half(c.position.x, c.faceCentre.x), half(c.position.y, c.faceCentre.y), half(c.position.z, c.faceCentre.z)},
            layer,
            {PackNormal(c.normal.x), PackNormal(c.normal.y), PackNormal(c.normal.z), c.alwaysTextured ? kAlwaysTextured : std::int8_t{0}},
            {c.colour[0], c.colour[1], c.colour[2], 255}};
}

} // namespace vorn
