#include "map/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace vorn {
namespace {

// Whole numbers up to this magnitude are written digit for digit.
constexpr double kLargestWhole = 9007199254740992.0; // 2^53
constexpr double kMillion = 1e6;

// Drops the digit before the point of a number below 1: "0.5" as ".5".
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
    // Negative zero too is written as 0.
    if (value == std::trunc(value) && std::fabs(value) < kLargestWhole) {
        return std::to_chars(out, out + kNumberRoom, static_cast<std::int64_t>(value)).ptr;
    }
    return std::to_chars(out, out + kNumberRoom, value).ptr;
}

char* WriteSixDecimals(char* out, double value, bool digitBeforePoint)
{
    char* digits = out;
    if (std::signbit(value)) *digits++ = '-';
    const double magnitude = std::fabs(value);
    const double millionths = std::round(magnitude * kMillion);
    char* end = nullptr;
    if (millionths < kLargestWhole && millionths / kMillion == magnitude) {
        // Exactly six decimals (1.0, 0.5, 2.25), the common case: the digits spelled out directly.
        // The division above is correctly rounded, as reading the text back is, so it reads back.
        const auto whole = static_cast<std::int64_t>(millionths);
        end = std::to_chars(digits, out + kNumberRoom, whole / 1000000).ptr;
        *end++ = '.';
        std::int64_t fraction = whole % 1000000;
        for (int i = 5; i >= 0; --i, fraction /= 10) end[i] = static_cast<char>('0' + fraction % 10);
        end += 6;
    } else {
        end = std::to_chars(digits, out + kNumberRoom, magnitude, std::chars_format::fixed, 6).ptr;
        double back = 0;
        std::from_chars(digits, end, back);
        if (back != magnitude) return nullptr;
    }
    return digitBeforePoint ? end : withoutLeadingZero(digits, end);
}

char* WriteNumberInForm(char* out, double value, NumberForm form)
{
    if (form == NumberForm::SixDecimals || form == NumberForm::SixDecimalsBare) {
        if (char* end = WriteSixDecimals(out, value, form == NumberForm::SixDecimals)) return end;
    }
    return WriteNumber(out, value);
}

NumberForm FormOf(std::string_view text)
{
    // One look at each byte: this runs for five numbers of every face line.
    size_t point = std::string_view::npos;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == 'e' || text[i] == 'E') return NumberForm::Shortest;
        if (text[i] == '.' && point == std::string_view::npos) point = i;
    }
    if (point == std::string_view::npos || text.size() - point != 7) return NumberForm::Shortest;
    const size_t sign = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
    return text.substr(sign, point - sign) == "0" ? NumberForm::SixDecimals : NumberForm::SixDecimalsBare;
}

} // namespace vorn
