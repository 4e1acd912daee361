#include "geometry/plane_points.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <utility>

namespace vorn {
namespace {

// Out of single precision's range (and not a number) counts as not exact.
bool exactInSingle(double value)
{
    constexpr double kLargest = std::numeric_limits<float>::max();
    return value >= -kLargest && value <= kLargest && static_cast<double>(static_cast<float>(value)) == value;
}

} // namespace

PlanePoints& PlanePoints::operator=(PlanePoints&& other) noexcept
{
    if (this != &other) {
        release();
        single_ = other.single_;
        wide_ = std::exchange(other.wide_, false);
    }
    return *this;
}

PlanePoints& PlanePoints::operator=(const Points& points)
{
    release();
    store(points);
    return *this;
}

void PlanePoints::store(const Points& points)
{
    const bool single = std::ranges::all_of(points, [](const DVec3& p) {
        return exactInSingle(p.x) && exactInSingle(p.y) && exactInSingle(p.z);
    });
    if (single) {
        for (size_t i = 0; i < 3; ++i) {
            const Vec3 p = ToFloat(points[i]);
            single_[3 * i] = p.x;
            single_[3 * i + 1] = p.y;
            single_[3 * i + 2] = p.z;
        }
        wide_ = false;
    } else {
        const Points* wide = new Points(points);
        std::memcpy(single_.data(), &wide, sizeof wide);
        wide_ = true;
    }
}

void PlanePoints::release() noexcept
{
    if (wide_) delete &wide();
    wide_ = false;
    single_ = {};
}

const PlanePoints::Points& PlanePoints::wide() const
{
    const Points* points = nullptr;
    std::memcpy(&points, single_.data(), sizeof points);
    return *points;
}

} // namespace vorn
