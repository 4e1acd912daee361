#pragma once

#include "document/dialogs.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace vorn {

// The texts with which confirmed dialog values are refused, shared by every settings struct.
std::optional<std::string> rangeProblem(std::string_view label, int value, IntRange range);
std::optional<std::string> choiceProblem(std::string_view label, int index,
                                         std::initializer_list<std::string_view> choices);

} // namespace vorn
