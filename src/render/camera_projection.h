#pragma once

#include "geometry/vec3.h"
#include "render/view_frustum.h"

#include <array>
#include <optional>

namespace vorn {

// A 4 × 4 matrix, column after column, as OpenGL takes it.
using Matrix4 = std::array<float, 16>;

// A ray in scene space: a start and a unit direction.
struct SceneRay {
    Vec3 start;
    Vec3 direction;
};

// The camera's view of the scene in a window: a left-handed frame with y up, looking along the
// camera direction, with the field of view of the smaller window side at 0.5 (its half-height
// at distance 1) and clipping planes at 1 and 5000.
class CameraProjection {
public:
    static constexpr float kField = 0.5f;
    static constexpr float kNear = 1;
    static constexpr float kFar = 5000;

    CameraProjection(Vec3 position, Vec3 direction, Vec3 up, int widthPixels, int heightPixels);

    // From scene points to clip coordinates.
    Matrix4 viewProjection() const;
    // Through the middle of the pixel at (x, y), counted from the top left.
    SceneRay rayThroughPixel(int x, int y) const;
    // The window position (x, y) where a scene point shows, counted from the top left as pixels
    // are; none for a point not in front of the camera.
    std::optional<std::array<float, 2>> pixelOf(Vec3 scenePoint) const;
    // What the camera shows, between the clipping planes.
    ViewFrustum frustum() const;

private:
    Vec3 eye_;
    Vec3 forward_;
    Vec3 right_;
    Vec3 up_;
    float halfWidth_ = kField;
    float halfHeight_ = kField;
    int width_ = 1;
    int height_ = 1;
};

// Scene space has y up: a map point (x, y, z) is the scene point (x, z, y), and back.
inline Vec3 MapToScene(Vec3 p) { return {p.x, p.z, p.y}; }
inline Vec3 SceneToMap(Vec3 p) { return {p.x, p.z, p.y}; }

} // namespace vorn
