#pragma once

#include "geometry/plane.h"
#include "geometry/vec3.h"
#include "geometry/winding.h"

#include <array>
#include <optional>
#include <string>

namespace vorn {

// The texture name a face gets when nothing else gives it one.
inline constexpr const char* kNoTexture = "NO_TEXTURE";

// One face of a brush: a plane through three points, with its texture and polygon.
struct CQFace {
    std::array<Vec3, 3> planepts{};
    std::string texture = kNoTexture;
    float rotation = 0;
    std::array<float, 2> shift{};
    std::array<float, 2> scale{};
    Plane plane;
    std::optional<Winding> winding;

    CQFace() = default;
    CQFace(Vec3 p0, Vec3 p1, Vec3 p2, std::string textureName)
        : planepts{p0, p1, p2}, texture(std::move(textureName)) {}

    // The same face seen from the other side.
    void reverse() { std::swap(planepts[0], planepts[2]); }
};

} // namespace vorn
