#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace vorn {

class CQBrush;
class DebugOutput;

// What the builds of many brushes reported on the debug output, by brush, so that it can be given
// out in brush order as if the brushes had been built one after another.
class BuildReport {
public:
    // The lines of brush `index`, to `log`.
    void replay(size_t index, DebugOutput& log) const;

private:
    friend BuildReport BuildWindingsInParallel(std::span<CQBrush* const> brushes);
    std::vector<std::pair<size_t, std::string>> lines_; // by brush index, in order
};

// Builds the polygons of every brush, sharing the work among the machine's cores. Each brush is
// built as BuildWindings builds it; only the debug output waits in the report.
BuildReport BuildWindingsInParallel(std::span<CQBrush* const> brushes);

} // namespace vorn
