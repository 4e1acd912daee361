#include "map/text_reader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

namespace vorn {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// An optional minus, then digits with at most one point among them, read from `p` up to the first
// byte that is none of those. Fifteen digits at most: the digits as a whole number are exact in a
// double, and so is the power of ten they are divided by, so the division gives the correctly
// rounded value.
struct PlainDecimal {
    const char* stop; // the first byte not read
    double value;
    bool valid; // false without digits or with more than fifteen
};

PlainDecimal scanPlainDecimal(const char* p, const char* end)
{
    static constexpr double kPowersOfTen[16] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr long kMostDigits = 15;
    const bool negative = p != end && *p == '-';
    if (negative) ++p;
    // Unsigned, so that the digits of a long number wrap harmlessly before it is refused.
    std::uint64_t digits = 0;
    const char* const wholeStart = p;
    for (; p != end && isDigit(*p); ++p) digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
    long count = p - wholeStart;
    long decimals = 0;
    if (p != end && *p == '.') {
        const char* const fractionStart = ++p;
        for (; p != end && isDigit(*p); ++p) digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
        decimals = p - fractionStart;
        count += decimals;
    }
    if (count == 0 || count > kMostDigits) return {p, 0, false};
    const double value = static_cast<double>(digits) / kPowersOfTen[decimals];
    return {p, negative ? -value : value, true};
}

std::optional<double> plainDecimal(std::string_view text)
{
    const char* const end = text.data() + text.size();
    const PlainDecimal plain = scanPlainDecimal(text.data(), end);
    if (!plain.valid || plain.stop != end) return std::nullopt;
    return plain.value;
}
} // namespace

void TextCursor::advance(size_t count)
{
    // Line by line: a search for the line feed is quicker than looking at every byte.
    const char* p = text_.data() + pos_;
    const char* const end = p + count;
    while (const auto* lineFeed = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)))) {
        ++line_;
        p = lineFeed + 1;
    }
    pos_ += count;
}

void SkipLine(TextCursor& in)
{
    for (int c = in.get(); c != -1 && c != '\n'; c = in.get()) {
    }
}

std::string_view nextToken(TextCursor& in)
{
    // Scans the unread bytes directly: this runs for every number of a map.
    const std::string_view rest = in.rest();
    const char* const begin = rest.data();
    const char* const end = begin + rest.size();
    const char* p = begin;
    int lineFeeds = 0;
    for (;;) {
        while (p != end && IsBlank(static_cast<unsigned char>(*p))) lineFeeds += *p++ == '\n';
        if (p == end || *p != '/') break;
        const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)));
        if (!lineEnd) {
            p = end;
            break;
        }
        p = lineEnd + 1;
        ++lineFeeds;
    }
    const char* const start = p;
    while (p != end && !IsBlank(static_cast<unsigned char>(*p))) ++p;
    if (p == end) { // the end of input, or a token not ended by a blank: lost
        in.skip(static_cast<size_t>(end - begin), lineFeeds);
        return {};
    }
    lineFeeds += *p == '\n';
    in.skip(static_cast<size_t>(p + 1 - begin), lineFeeds); // the blank after the token too
    return {start, static_cast<size_t>(p - start)};
}

NumberToken NextNumber(TextCursor& in)
{
    const std::string_view rest = in.rest();
    const char* const begin = rest.data();
    const char* const end = begin + rest.size();
    const char* p = begin;
    int lineFeeds = 0;
    while (p != end && IsBlank(static_cast<unsigned char>(*p))) lineFeeds += *p++ == '\n';
    const char* const start = p;
    const PlainDecimal plain = scanPlainDecimal(start, end);
    if (plain.valid && plain.stop != end && IsBlank(static_cast<unsigned char>(*plain.stop))) {
        lineFeeds += *plain.stop == '\n';
        in.skip(static_cast<size_t>(plain.stop + 1 - begin), lineFeeds); // the blank after it too
        return {{start, static_cast<size_t>(plain.stop - start)}, plain.value};
    }
    // A comment, another form of number, or no number at all: token by token.
    const std::string_view token = nextToken(in);
    return {token, ParseNumber(token)};
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
    // Most numbers of a map are short plain decimals: read those without the general conversion.
    if (const auto plain = plainDecimal(text)) return *plain;
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

std::optional<double> ParseNumber(std::string_view text)
{
    if (const auto plain = plainDecimal(text)) return *plain;
    const bool signed_ = text.starts_with('-') || text.starts_with('+');
    const std::string_view number = text.substr(signed_ ? 1 : 0);
    // Digits or a point must begin it: from_chars would take "inf" and "nan".
    if (number.empty() || !(isDigit(number.front()) || number.front() == '.')) return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::general);
    if (result.ec != std::errc{} || result.ptr != number.data() + number.size()) return std::nullopt;
    return text.front() == '-' ? -value : value;
}

} // namespace vorn
