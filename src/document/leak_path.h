#pragma once

#include "geometry/vec3.h"

#include <span>
#include <string>
#include <vector>

namespace vorn {

// The path from the outside into a map that is not sealed, as its point file gives it. It
// belongs to the map file it was found beside and is shown only with that map.
class LeakPath {
public:
    void set(std::string mapPath, std::vector<Vec3> points);
    void clear();
    // The points when they belong to this map; none otherwise.
    std::span<const Vec3> pointsFor(const std::string& mapPath) const;

private:
    std::string mapPath_;
    std::vector<Vec3> points_;
};

} // namespace vorn
