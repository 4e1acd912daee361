#pragma once

#include <optional>
#include <string>

namespace vorn {

// Copies a file over any file of the target's name, making the target's folder first. Nothing,
// or why it failed; a file copied onto itself stays as it is.
std::optional<std::string> CopyFileReplacing(const std::string& from, const std::string& to);

} // namespace vorn
