#pragma once

#include "geometry/boxed_optional.h"
#include "geometry/plane.h"
#include "geometry/vec3.h"
#include "geometry/winding.h"

#include <array>
#include <optional>
#include <string>

namespace vorn {

// The texture name a face gets when nothing else gives it one.
inline constexpr const char* kNoTexture = "NO_TEXTURE";

// A texture laid on a face by explicit directions (the Valve 220 face format): the texel
// coordinate along each axis of a point p is Dot(p, axis) / scale + offset.
struct TextureAxes {
    std::array<DVec3, 2> axis{};
    std::array<double, 2> offset{};
};

// One face of a brush: a plane through three points, with its texture and polygon. The texture
// lies either by the standard projection (shift, rotation, scale) or, when the face has them, by
// its texture axes (offsets in the axes; rotation and scale as the Valve format keeps them).
struct CQFace {
    std::array<DVec3, 3> planepts{};
    std::string texture = kNoTexture;
    float rotation = 0;
    std::array<float, 2> shift{};
    std::array<float, 2> scale{};
    Plane plane;
    std::optional<Winding> winding;
    BoxedOptional<TextureAxes> axes;

    CQFace() = default;
    CQFace(const CQFace& other) = default;
    CQFace(CQFace&& other) noexcept = default;
    CQFace& operator=(const CQFace& other) = default;
    CQFace& operator=(CQFace&& other) noexcept = default;
    // A copy whose polygon is carved from the arena.
    CQFace(const CQFace& other, BulkArena* arena);
    CQFace(Vec3 p0, Vec3 p1, Vec3 p2, std::string textureName)
        : planepts{ToDouble(p0), ToDouble(p1), ToDouble(p2)}, texture(std::move(textureName)) {}

    // The same face seen from the other side.
    void reverse() { std::swap(planepts[0], planepts[2]); }
};

inline CQFace::CQFace(const CQFace& other, BulkArena* arena) : CQFace(other)
{
    if (winding) winding = Winding(other.winding->points(), arena);
}

} // namespace vorn
