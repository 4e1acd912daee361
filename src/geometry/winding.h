#pragma once

#include "geometry/bulk_memory.h"
#include "geometry/plane.h"
#include "geometry/vec3.h"

#include <array>
#include <initializer_list>
#include <optional>
#include <span>
#include <vector>

namespace vorn {

class DebugOutput;
struct CQFace;

inline constexpr int kMaxWindingPoints = 64;

// The corners of a polygon, carved from a bulk arena when one is given.
using WindingPoints = std::vector<Vec3, BulkAllocator<Vec3>>;

// A convex polygon: its corners in order around it.
class Winding {
public:
    Winding() = default;
    explicit Winding(std::initializer_list<Vec3> points) : points_(points) {}
    // The corners copied into memory from the arena when one is given.
    explicit Winding(std::span<const Vec3> points, BulkArena* arena = nullptr)
        : points_(points.begin(), points.end(), BulkAllocator<Vec3>(arena))
    {
    }
    // Takes the corners' storage (not their arena: the winding grows on the heap).
    explicit Winding(WindingPoints&& points) { points_ = std::move(points); }

    int numpoints() const { return static_cast<int>(points_.size()); }
    int capacity() const { return static_cast<int>(points_.capacity()); }
    const Vec3& operator[](int i) const { return points_[static_cast<size_t>(i)]; }
    Vec3& operator[](int i) { return points_[static_cast<size_t>(i)]; }
    std::span<const Vec3> points() const { return points_; }
    std::span<Vec3> points() { return points_; }
    void addPoint(Vec3 p) { points_.push_back(p); }

private:
    WindingPoints points_;
};

// A winding with room for `points` corners and none in use; asking for more than the
// working limit is reported but still granted.
Winding NewWinding(int points, DebugOutput& log);

// The four corners of a square lying in the plane, centred on its point nearest the origin, its
// sides 2 * halfSize long.
template <typename T>
std::array<BasicVec3<T>, 4> BasePolyPoints(const BasicPlane<T>& plane, T halfSize, DebugOutput& log);

// The base square of side 16384.
inline std::array<Vec3, 4> BasePolyPoints(const Plane& plane, DebugOutput& log)
{
    return BasePolyPoints<float>(plane, 8192, log);
}

// Keeps the part of `w` in front of the plane. The input is consumed: when nothing is cut it
// comes back as it was (the same storage), when everything is behind the result is none.
std::optional<Winding> ClipWinding(Winding w, const Plane& plane, DebugOutput& log);

// Reports what is wrong with a face's polygon on the debug output, when it is shown; changes
// nothing.
void CheckFace(const CQFace& face, DebugOutput& log);

// How far from a plane a point may lie and still count as on it, for polygons cut in single
// precision.
inline constexpr float kOnEpsilon = 0.1f;

// The clip itself, over plain point arrays so that brush building can clip without allocating.
// Writes at most `outRoom` points to `out`; points within `onEpsilon` of the plane are on it.
struct ClipOutcome {
    enum Kind { Unchanged, AllBehind, Cut } kind;
    int count = 0;    // points written to out when kind is Cut
    bool overflowed = false;
};
template <typename T>
ClipOutcome ClipPolygon(std::span<const BasicVec3<T>> in, const BasicPlane<T>& plane, BasicVec3<T>* out, int outRoom,
                        T onEpsilon);

} // namespace vorn
