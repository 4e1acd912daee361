#pragma once

#include <algorithm>
#include <cctype>
#include <string_view>

namespace vorn {

// Text comparisons that ignore the case of ASCII letters, as class and texture names are matched.

inline char LowerAscii(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

inline bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

inline bool LessIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::lexicographical_compare(a, b, [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
}

inline bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualIgnoringCase(text.substr(0, prefix.size()), prefix);
}

} // namespace vorn
