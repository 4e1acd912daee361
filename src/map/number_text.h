#pragma once

#include <string>

namespace vorn {

// A whole number as its digits; any other value as the shortest text that reads back to the
// same double. This is how plane points and texture axes keep their precision in the file while
// whole numbers are written as they always were.
void AppendNumber(std::string& out, double value);

// The same for a single-precision value: the shortest text that reads back to the same float.
void AppendSingle(std::string& out, float value);

// Decimal digits of a 32-bit integer.
void AppendInt(std::string& out, int value);

// Six decimals with no digit before the point below 1: 1.000000, .500000, -2.250000.
void AppendSixDecimals(std::string& out, float value);

} // namespace vorn
