#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vorn {

// A normal's component for the vertex buffer, scaled to ±127.
inline std::int8_t PackNormal(float v)
{
    return static_cast<std::int8_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 127.0f));
}

// A colour's component for the vertex buffer, scaled to 255.
inline std::uint8_t PackColour(float v)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

} // namespace vorn
