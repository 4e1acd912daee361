#pragma once

#include "geometry/vec3.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// Point files (".pts", ".lin"): one point a line, three numbers apart by blanks.
inline constexpr size_t kMaxPointFileBytes = size_t{64} << 20;
inline constexpr size_t kMaxLeakPoints = 1'000'000;

// The points, or nothing when a line is not three finite numbers, there are none, or too many.
std::optional<std::vector<Vec3>> ParsePointFile(std::string_view text);

// The point file a compile left beside the map, written at or after `since`: "<map>.pts", else
// "<map>.lin"; empty when there is none. An older file is from an earlier compile.
std::string FindPointFile(const std::string& mapPath, std::filesystem::file_time_type since);

struct PointFileRead {
    std::optional<std::vector<Vec3>> points;
    std::string error; // why there are none
};
PointFileRead ReadPointFile(const std::string& path);

} // namespace vorn
