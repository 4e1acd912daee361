#pragma once

#include "geometry/vec3.h"

#include <atomic>
#include <string>
#include <vector>

namespace vorn {

// What testing a map for leaks came to.
struct LeakTestResult {
    enum class Outcome { Sealed, Leaked, Failed, Cancelled } outcome = Outcome::Failed;
    std::vector<Vec3> points; // Leaked: the path from inside the map to the void, from the point file
    std::string failure;      // Failed: why, for the user
};

// The Problems row of a leak, with the path's first and last points.
std::string LeakMessage(const std::vector<Vec3>& points);

// Tests the map file for leaks with the QBSP program given: copies it to a new temporary folder,
// runs the program there with its leak test at the lowest priority, reads the point file a leak
// leaves, and removes the folder. The program is stopped when `cancelled` is set.
LeakTestResult RunLeakTest(const std::string& qbsp, const std::string& mapPath, const std::atomic<bool>& cancelled);

} // namespace vorn
