#pragma once

#include "geometry/boxed_optional.h"
#include "geometry/face_polygon.h"
#include "geometry/plane.h"
#include "geometry/plane_points.h"
#include "geometry/texture_name.h"
#include "geometry/vec3.h"
#include "geometry/winding.h"

#include <array>
#include <cstdint>
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

// How a map file wrote one of a face's texture numbers, so that a face read and written again
// keeps its text: a number is written in its form only when that form reads back to its value.
enum class NumberForm : std::uint8_t {
    Usual,          // as the face format writes it (faces made in the editor)
    Shortest,       // the shortest text that reads back, whole numbers as integers: 1, 0.8682532
    SixDecimals,    // 1.000000, 0.707107
    SixDecimalsBare // no digit before the point below 1: .707107
};

// The forms of a face's shifts, rotation and scales.
struct TextureForms {
    std::array<NumberForm, 2> shift{};
    NumberForm rotation{};
    std::array<NumberForm, 2> scale{};
};

// One face of a brush: a plane through three points, with its texture and polygon. The texture
// lies either by the standard projection (shift, rotation, scale) or, when the face has them, by
// its texture axes (offsets in the axes; rotation and scale as the Valve format keeps them). The
// texture numbers keep the values the file gave them; a scale of 0 lays the texture as 1 does.
struct CQFace {
    PlanePoints planepts;
    TextureName texture{kNoTexture};
    double rotation = 0;
    std::array<double, 2> shift{};
    std::array<double, 2> scale{1, 1};
    TextureForms forms;
    Plane plane;
    FacePolygon winding;
    BoxedOptional<TextureAxes> axes;

    CQFace() = default;
    CQFace(const CQFace& other) = default;
    CQFace(CQFace&& other) noexcept = default;
    CQFace& operator=(const CQFace& other) = default;
    CQFace& operator=(CQFace&& other) noexcept = default;
    // A copy whose polygon is carved from the arena.
    CQFace(const CQFace& other, BulkArena* arena);
    CQFace(Vec3 p0, Vec3 p1, Vec3 p2, std::string_view textureName)
        : planepts(PlanePoints::Points{ToDouble(p0), ToDouble(p1), ToDouble(p2)}), texture(textureName) {}

    // The same face seen from the other side.
    void reverse()
    {
        const PlanePoints::Points p = planepts.points();
        planepts = PlanePoints::Points{p[2], p[1], p[0]};
    }
};

inline CQFace::CQFace(const CQFace& other, BulkArena* arena) : CQFace(other)
{
    if (winding) winding = FacePolygon(other.winding->points(), arena);
}

} // namespace vorn
