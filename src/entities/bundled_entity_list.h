#pragma once

#include <string_view>

namespace vorn {

// The entity list shipped with the program (resources/entities.qel compiled in), for when no
// entity list file can be read.
std::string_view BundledEntityList();

} // namespace vorn
