#include "geometry/face_polygon.h"

#include "geometry/winding.h"

#include <memory>
#include <utility>

namespace vorn {

FacePolygon::FacePolygon(const Winding& winding) : FacePolygon(winding.points(), nullptr) {}

FacePolygon::FacePolygon(std::span<const Vec3> points, BulkArena* arena)
{
    if (points.empty()) return;
    const BarePiece piece = TakeBareBulk(arena, points.size_bytes());
    corners_ = static_cast<Vec3*>(piece.memory);
    fromArena_ = piece.fromArena;
    count_ = static_cast<std::uint32_t>(points.size());
    std::uninitialized_copy(points.begin(), points.end(), corners_);
}

FacePolygon& FacePolygon::operator=(const FacePolygon& other)
{
    if (this != &other) *this = FacePolygon(other);
    return *this;
}

FacePolygon& FacePolygon::operator=(FacePolygon&& other) noexcept
{
    if (this != &other) {
        reset();
        take(other);
    }
    return *this;
}

void FacePolygon::reset() noexcept
{
    if (corners_) GiveBareBulk({corners_, fromArena_});
    corners_ = nullptr;
    count_ = 0;
    fromArena_ = false;
}

void FacePolygon::take(FacePolygon& other) noexcept
{
    corners_ = std::exchange(other.corners_, nullptr);
    count_ = std::exchange(other.count_, 0);
    fromArena_ = std::exchange(other.fromArena_, false);
}

} // namespace vorn
