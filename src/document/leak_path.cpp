#include "document/leak_path.h"

namespace vorn {

void LeakPath::set(std::string mapPath, std::vector<Vec3> points)
{
    mapPath_ = std::move(mapPath);
    points_ = std::move(points);
}

void LeakPath::clear()
{
    mapPath_.clear();
    points_.clear();
}

std::span<const Vec3> LeakPath::pointsFor(const std::string& mapPath) const
{
    if (mapPath.empty() || mapPath != mapPath_) return {};
    return points_;
}

} // namespace vorn
