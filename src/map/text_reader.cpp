#include "map/text_reader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>

namespace vorn {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

void SkipLine(TextCursor& in)
{
    for (int c = in.get(); c != -1 && c != '\n'; c = in.get()) {
    }
}

std::string_view nextToken(TextCursor& in)
{
    int c = in.get();
    for (;;) {
        while (c != -1 && IsBlank(c)) c = in.get();
        if (c != '/') break;
        SkipLine(in);
        c = in.get();
    }
    if (c == -1) return {};

    const size_t start = in.position() - 1;
    for (;;) {
        const size_t end = in.position();
        c = in.get();
        if (c == -1) return {}; // a token not ended by a blank is lost
        if (IsBlank(c)) return in.since(start).substr(0, end - start);
    }
}

char NextNonBlank(TextCursor& in)
{
    for (;;) {
        const int c = in.get();
        if (c == -1) return 0;
        if (IsBlank(c)) continue;
        if (c == '/') {
            SkipLine(in);
            continue;
        }
        return static_cast<char>(c);
    }
}

std::string_view ReadQuoted(TextCursor& in)
{
    const size_t start = in.position() - 1; // the opening quote
    for (;;) {
        const int c = in.get();
        if (c == -1) return {};
        if (c == '"') return in.since(start);
    }
}

int ParseInt(std::string_view text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int64_t value = 0;
    constexpr int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > limit) value = limit;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
    return static_cast<int>(value);
}

double ParseFloat(std::string_view text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    // Only digits or a point may start the number (no "inf", "nan" or hexadecimal).
    const bool startsNumber =
        i < text.size() && (isDigit(text[i]) || (text[i] == '.' && i + 1 < text.size() && isDigit(text[i + 1])));
    if (!startsNumber) return 0;
    double value = 0;
    const auto result = std::from_chars(text.data() + i, text.data() + text.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone; saturate as the C library does.
        const std::string_view number(text.data() + i, static_cast<size_t>(result.ptr - (text.data() + i)));
        const size_t e = number.find_first_of("eE");
        const bool underflow = e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
        value = underflow ? 0.0 : std::numeric_limits<double>::max();
    } else if (result.ec != std::errc{}) {
        return 0;
    }
    // Callers keep single-precision numbers: stay within their range.
    value = std::min(value, static_cast<double>(std::numeric_limits<float>::max()));
    return negative ? -value : value;
}

} // namespace vorn
