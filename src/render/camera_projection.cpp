#include "render/camera_projection.h"

#include <algorithm>

namespace vorn {

CameraProjection::CameraProjection(Vec3 position, Vec3 direction, Vec3 up, int widthPixels, int heightPixels)
    : eye_(position), width_(std::max(1, widthPixels)), height_(std::max(1, heightPixels))
{
    forward_ = Length(direction) > 0 ? Normalized(direction) : Vec3{0, 0, 1};
    // Left-handed: the right hand side is up × forward.
    right_ = Cross(up, forward_);
    right_ = Length(right_) > 1e-6f ? Normalized(right_) : Vec3{1, 0, 0};
    up_ = Cross(forward_, right_);
    const float aspect = static_cast<float>(width_) / static_cast<float>(height_);
    if (aspect >= 1) {
        halfWidth_ = kField * aspect;
    } else {
        halfHeight_ = kField / aspect;
    }
}

Matrix4 CameraProjection::viewProjection() const
{
    const float depthScale = (kFar + kNear) / (kFar - kNear);
    const float depthOffset = -2 * kFar * kNear / (kFar - kNear);
    const Vec3 rows[4] = {right_ * (1 / halfWidth_), up_ * (1 / halfHeight_), forward_ * depthScale, forward_};
    const float offsets[4] = {-Dot(rows[0], eye_), -Dot(rows[1], eye_), -Dot(rows[2], eye_) + depthOffset,
                              -Dot(rows[3], eye_)};
    Matrix4 m{};
    for (int row = 0; row < 4; ++row) {
        m[static_cast<size_t>(0 + row)] = rows[row].x;
        m[static_cast<size_t>(4 + row)] = rows[row].y;
        m[static_cast<size_t>(8 + row)] = rows[row].z;
        m[static_cast<size_t>(12 + row)] = offsets[row];
    }
    return m;
}

ViewFrustum CameraProjection::frustum() const
{
    return {eye_, forward_, right_, up_, halfWidth_, halfHeight_, kNear, kFar};
}

SceneRay CameraProjection::rayThroughPixel(int x, int y) const
{
    const float nx = 2 * (static_cast<float>(x) + 0.5f) / static_cast<float>(width_) - 1;
    const float ny = 1 - 2 * (static_cast<float>(y) + 0.5f) / static_cast<float>(height_);
    const Vec3 d = forward_ + right_ * (nx * halfWidth_) + up_ * (ny * halfHeight_);
    return {eye_, Normalized(d)};
}

std::optional<std::array<float, 2>> CameraProjection::pixelOf(Vec3 scenePoint) const
{
    const Vec3 relative = scenePoint - eye_;
    const float depth = Dot(relative, forward_);
    if (depth < kNear) return std::nullopt;
    const float nx = Dot(relative, right_) / (depth * halfWidth_);
    const float ny = Dot(relative, up_) / (depth * halfHeight_);
    return std::array{(nx + 1) * 0.5f * static_cast<float>(width_) - 0.5f, (1 - ny) * 0.5f * static_cast<float>(height_) - 0.5f};
}

} // namespace vorn
