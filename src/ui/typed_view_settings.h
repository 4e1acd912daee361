#pragma once

#include <optional>
#include <string_view>

namespace vorn {

// Values typed into the control panel's XY Grid and XY Scale fields. Each gives none for a value
// the XY view cannot use, and the caller shows the matching refusal.

inline constexpr int kMaxGridSize = 8192;
inline constexpr float kMinScalePercent = 1;
inline constexpr float kMaxScalePercent = 1600;

inline constexpr const char* kGridRefusal = "The XY grid must be a whole number of map units from 1 to 8192.";
inline constexpr const char* kScaleRefusal = "The XY scale must be a percentage from 1 to 1600.";

// A whole number from 1 to kMaxGridSize, blanks around it allowed.
std::optional<int> ParseGridSize(std::string_view text);

// A number of percent from kMinScalePercent to kMaxScalePercent, blanks around it allowed.
std::optional<float> ParseScalePercent(std::string_view text);

} // namespace vorn
