#include "ui/typed_view_settings.h"

#include <charconv>
#include <cmath>

namespace vorn {
namespace {

std::string_view trimmed(std::string_view text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// The whole text as one number of type T; none when anything else is in it.
template <typename T>
std::optional<T> wholeNumber(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    T value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

} // namespace

std::optional<int> ParseGridSize(std::string_view text)
{
    const std::optional<int> size = wholeNumber<int>(text);
    if (!size || *size < 1 || *size > kMaxGridSize) return std::nullopt;
    return size;
}

std::optional<float> ParseScalePercent(std::string_view text)
{
    const std::optional<float> percent = wholeNumber<float>(text);
    if (!percent || !std::isfinite(*percent) || *percent < kMinScalePercent || *percent > kMaxScalePercent) {
        return std::nullopt;
    }
    return percent;
}

} // namespace vorn
