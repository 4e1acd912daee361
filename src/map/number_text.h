#pragma once

#include "geometry/face.h"

#include <cstddef>
#include <string_view>

namespace vorn {

// The most characters any of the writers below writes.
inline constexpr size_t kNumberRoom = 64;

// Each writes its number at `out` and returns the end of what it wrote.

// A whole number as its digits; any other value as the shortest text that reads back to the same
// double. This is how numbers keep their precision in the file while whole numbers are written
// as they always were.
char* WriteNumber(char* out, double value);

// Six decimals (1.000000, -2.250000), below 1 with or without the digit before the point (0.5 as
// 0.500000 or .500000), when that text reads back to the value; null otherwise, and whatever was
// written at `out` is not part of the text.
char* WriteSixDecimals(char* out, double value, bool digitBeforePoint);

// The number in the form the text has, or the shortest when it is another form.
char* WriteNumberInForm(char* out, double value, NumberForm form);

// The form in which a number was written.
NumberForm FormOf(std::string_view text);

} // namespace vorn
