#include "map/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace vorn {
namespace {

// Whole numbers up to this magnitude are written digit for digit.
constexpr double kLargestWhole = 9007199254740992.0; // 2^53

template <typename T>
char* writeShortest(char* out, T value)
{
    // Negative zero too is written as 0.
    if (value == std::trunc(value) && std::fabs(value) < kLargestWhole) {
        return std::to_chars(out, out + kNumberRoom, static_cast<std::int64_t>(value)).ptr;
    }
    return std::to_chars(out, out + kNumberRoom, value).ptr;
}

// Writes the digits after the sign without their leading zero: "0.5" as ".5".
char* withoutLeadingZero(char* digits, char* end)
{
    if (end - digits >= 2 && digits[0] == '0' && digits[1] == '.') {
        std::memmove(digits, digits + 1, static_cast<size_t>(end - digits - 1));
        return end - 1;
    }
    return end;
}

} // namespace

char* WriteNumber(char* out, double value)
{
    return writeShortest(out, value);
}

char* WriteSingle(char* out, float value)
{
    return writeShortest(out, value);
}

char* WriteInt(char* out, int value)
{
    return std::to_chars(out, out + kNumberRoom, value).ptr;
}

char* WriteSixDecimals(char* out, float value)
{
    char* digits = out;
    if (std::signbit(value)) *digits++ = '-';
    const double magnitude = std::fabs(static_cast<double>(value));
    const double millionths = magnitude * 1e6;
    if (millionths == std::trunc(millionths) && millionths < kLargestWhole) {
        // Exactly six decimals (1.0, 0.5, 2.25): spelled out directly, the common case.
        const auto whole = static_cast<std::int64_t>(millionths);
        char* p = std::to_chars(digits, out + kNumberRoom, whole / 1000000).ptr;
        *p++ = '.';
        std::int64_t fraction = whole % 1000000;
        for (int i = 5; i >= 0; --i, fraction /= 10) p[i] = static_cast<char>('0' + fraction % 10);
        return withoutLeadingZero(digits, p + 6);
    }
    return withoutLeadingZero(digits, std::to_chars(digits, out + kNumberRoom, magnitude, std::chars_format::fixed, 6).ptr);
}

} // namespace vorn
