#pragma once

#include "geometry/bulk_memory.h"
#include "geometry/vec3.h"

#include <cstdint>
#include <span>

namespace vorn {

class Winding;

// A face's polygon as the face keeps it: its corners in order in one piece of memory of its own
// (carved from a bulk arena when built with one), or none. It reads like an optional polygon, and
// takes a third of the room of one: maps have millions of faces.
class FacePolygon {
public:
    FacePolygon() = default;
    FacePolygon(const Winding& winding);
    FacePolygon(std::span<const Vec3> points, BulkArena* arena);
    // Copies keep their corners on the heap.
    FacePolygon(const FacePolygon& other) : FacePolygon(other.points(), nullptr) {}
    FacePolygon(FacePolygon&& other) noexcept { take(other); }
    FacePolygon& operator=(const FacePolygon& other);
    FacePolygon& operator=(FacePolygon&& other) noexcept;
    ~FacePolygon() { reset(); }

    bool has_value() const { return corners_ != nullptr; }
    explicit operator bool() const { return has_value(); }
    void reset() noexcept;

    // Read through as through an optional: face.winding->points().
    const FacePolygon* operator->() const { return this; }
    FacePolygon* operator->() { return this; }
    const FacePolygon& operator*() const { return *this; }

    int numpoints() const { return static_cast<int>(count_); }
    std::span<const Vec3> points() const { return {corners_, count_}; }
    std::span<Vec3> points() { return {corners_, count_}; }
    const Vec3& operator[](int i) const { return corners_[i]; }

private:
    void take(FacePolygon& other) noexcept;

    Vec3* corners_ = nullptr;
    std::uint32_t count_ = 0;
    bool fromArena_ = false;
};

} // namespace vorn
