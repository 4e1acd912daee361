#include "map/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace vorn {
namespace {

// Whole numbers up to this magnitude are written digit for digit.
constexpr double kLargestWhole = 9007199254740992.0; // 2^53

template <typename T>
void appendChars(std::string& out, T value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, result.ptr);
}

template <typename T>
void appendShortest(std::string& out, T value)
{
    // Negative zero too is written as 0.
    if (value == std::trunc(value) && std::fabs(value) < kLargestWhole) {
        appendChars(out, static_cast<std::int64_t>(value));
    } else {
        appendChars(out, value);
    }
}

} // namespace

void AppendNumber(std::string& out, double value)
{
    appendShortest(out, value);
}

void AppendSingle(std::string& out, float value)
{
    appendShortest(out, value);
}

void AppendInt(std::string& out, int value)
{
    appendChars(out, value);
}

void AppendSixDecimals(std::string& out, float value)
{
    char text[64];
    std::string_view digits;
    const double millionths = static_cast<double>(value) * 1e6;
    if (millionths == std::trunc(millionths) && std::fabs(millionths) < kLargestWhole) {
        // Exactly six decimals (1.0, 0.5, 2.25): spelled out directly, the common case.
        const std::int64_t whole = static_cast<std::int64_t>(std::fabs(millionths));
        char* p = text;
        if (std::signbit(millionths)) *p++ = '-';
        p = std::to_chars(p, text + sizeof text, whole / 1000000).ptr;
        *p++ = '.';
        std::int64_t fraction = whole % 1000000;
        for (int i = 5; i >= 0; --i, fraction /= 10) p[i] = static_cast<char>('0' + fraction % 10);
        digits = std::string_view(text, static_cast<size_t>(p + 6 - text));
    } else {
        const auto result = std::to_chars(text, text + sizeof text, static_cast<double>(value), std::chars_format::fixed, 6);
        digits = std::string_view(text, static_cast<size_t>(result.ptr - text));
    }
    if (digits.starts_with("-0.")) {
        out += '-';
        digits.remove_prefix(2);
    } else if (digits.starts_with("0.")) {
        digits.remove_prefix(1);
    }
    out += digits;
}

} // namespace vorn
