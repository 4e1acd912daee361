#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorn {

// Writes to a temporary file beside the target, flushes it to disk and renames it over the
// target, so the old file stays intact when anything fails. Nothing, or the reason it failed.
std::optional<std::string> WriteFileAtomically(const std::string& path, std::string_view bytes);

} // namespace vorn
