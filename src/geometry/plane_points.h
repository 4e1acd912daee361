#pragma once

#include "geometry/plane.h"
#include "geometry/vec3.h"

#include <array>
#include <cstddef>
#include <optional>
#include <utility>

namespace vorn {

// The three points a face's plane passes through, exactly as given. Points that single precision
// holds exactly (whole numbers, halves: nearly every map's) are kept in it, in place; others in
// double precision on the heap. A face takes 32 bytes less so, and maps have millions of faces.
class PlanePoints {
public:
    using Points = std::array<DVec3, 3>;

    PlanePoints() = default;
    PlanePoints(const Points& points) { store(points); }
    PlanePoints(const PlanePoints& other) : PlanePoints(other.points()) {}
    PlanePoints(PlanePoints&& other) noexcept : single_(other.single_), wide_(std::exchange(other.wide_, false)) {}
    PlanePoints& operator=(const PlanePoints& other) { return *this = other.points(); }
    PlanePoints& operator=(PlanePoints&& other) noexcept;
    PlanePoints& operator=(const Points& points);
    ~PlanePoints() { release(); }

    DVec3 operator[](size_t i) const
    {
        if (wide_) return wide()[i];
        return {single_[3 * i], single_[3 * i + 1], single_[3 * i + 2]};
    }
    Points points() const
    {
        if (wide_) return wide();
        return {DVec3{single_[0], single_[1], single_[2]}, DVec3{single_[3], single_[4], single_[5]},
                DVec3{single_[6], single_[7], single_[8]}};
    }
    // The plane through them; none when they are collinear.
    std::optional<DPlane> plane() const { return PlaneThrough(points()); }
    static std::optional<DPlane> PlaneThrough(const Points& p) { return PlaneFromPoints(p[0], p[1], p[2]); }
    // Every point changed by `change` (called with a DVec3&), kept as one new set; returns it.
    template <typename Change>
    Points change(Change change)
    {
        Points points = this->points();
        for (DVec3& p : points) change(p);
        *this = points;
        return points;
    }

    friend bool operator==(const PlanePoints& a, const PlanePoints& b) { return a.points() == b.points(); }

private:
    void store(const Points& points);
    void release() noexcept;
    const Points& wide() const;

    // The nine coordinates in single precision; or, when `wide_`, the address of the points in
    // double precision, in the first bytes. The two share the room so that the tag fits beside.
    alignas(Points*) std::array<float, 9> single_{};
    bool wide_ = false;
};
static_assert(sizeof(PlanePoints) == 40);

} // namespace vorn
