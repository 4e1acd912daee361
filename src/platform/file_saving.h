#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorn {

class PieceSource;

// Saves the text as the file at `path` so that a failure leaves the old file intact. A symbolic
// link is followed and stays; the file keeps its owner, group, permissions and other names (hard
// links). A read-only file or one that is not a regular file is refused and left unchanged.
// Nothing, or the reason it failed.
std::optional<std::string> SaveFile(const std::string& path, const PieceSource& text);
std::optional<std::string> SaveFile(const std::string& path, std::string_view bytes);

} // namespace vorn
