#pragma once

#include <cstddef>

namespace vorn {

// The most characters any of the writers below writes.
inline constexpr size_t kNumberRoom = 64;

// Each writes its number at `out` and returns the end of what it wrote.

// A whole number as its digits; any other value as the shortest text that reads back to the
// same double. This is how plane points and texture axes keep their precision in the file while
// whole numbers are written as they always were.
char* WriteNumber(char* out, double value);

// The same for a single-precision value: the shortest text that reads back to the same float.
char* WriteSingle(char* out, float value);

// Decimal digits of a 32-bit integer.
char* WriteInt(char* out, int value);

// Six decimals with no digit before the point below 1: 1.000000, .500000, -2.250000.
char* WriteSixDecimals(char* out, float value);

} // namespace vorn
