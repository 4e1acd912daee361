#include "ui/camera_model.h"

#include "geometry/numeric.h"

#include <cmath>

namespace vorn {

float CameraModel::heading() const
{
    return std::atan2(direction_.z, direction_.x);
}

MapPoint CameraModel::position2D() const
{
    return {TruncateToInt(position_.x), TruncateToInt(position_.z)};
}

Vec3 CameraModel::position3D() const
{
    return {position_.x, position_.z, position_.y};
}

void CameraModel::moveTo(float x, float y)
{
    position_.x = x;
    position_.z = y;
}

void CameraModel::placeAt(Vec3 mapPoint)
{
    position_ = {mapPoint.x, mapPoint.z, mapPoint.y};
}

void CameraModel::lookAtPoint(Vec3 mapPoint)
{
    const Vec3 d = Vec3{mapPoint.x, mapPoint.z, mapPoint.y} - position_;
    if (Length(d) == 0) return;
    direction_ = Normalized(d);
}

void CameraModel::lookAt(float x, float y)
{
    Vec3 d = direction_;
    d.x = x - position_.x;
    d.z = y - position_.z;
    if (Length(d) == 0) return;
    Normalize(d);
    direction_ = d;
}

void CameraModel::turn(double radians)
{
    const double h = heading() + radians;
    direction_.x = static_cast<float>(std::cos(h));
    direction_.z = static_cast<float>(std::sin(h));
}

void CameraModel::walk(float distance)
{
    position_ += direction_ * distance;
}

void CameraModel::strafe(float distance)
{
    constexpr double kQuarterTurn = 1.570796327;
    const double h = heading() - kQuarterTurn;
    position_ += Vec3{static_cast<float>(std::cos(h)), 0, static_cast<float>(std::sin(h))} * distance;
}

} // namespace vorn
