#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// The ";"-separated paths of a setting or key that may name several files, blanks around each
// trimmed, empty ones dropped.
std::vector<std::string> SplitPathList(std::string_view list);

} // namespace vorn
