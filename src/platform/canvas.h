#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vorn {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

namespace Colours {
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb Red{255, 0, 0};
inline constexpr Rgb Green{0, 255, 0};
inline constexpr Rgb Blue{0, 0, 255};
inline constexpr Rgb Cyan{0, 255, 255};
inline constexpr Rgb Magenta{255, 0, 255};
inline constexpr Rgb Grid{192, 192, 192};
inline constexpr Rgb ClipPoint{255, 127, 0};
inline constexpr Rgb Handle{0, 150, 0};
inline constexpr Rgb SelectedHandle{255, 0, 255};
inline constexpr Rgb FaceOwner{255, 200, 0}; // a brush some of whose faces are selected
} // namespace Colours

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// The drawing calls the views make, in window pixels.
class Canvas {
public:
    virtual ~Canvas() = default;
    // A solid pen; later lines and outlines use it.
    virtual void setPen(Rgb colour, int width = 1) = 0;
    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    // A closed outline through the points.
    virtual void polygon(std::span<const PixelPoint> points) = 0;
    // An ellipse inside the rectangle, outlined with the pen and filled with the background.
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    // A rectangle filled with the pen's colour, its right and bottom edges excluded.
    virtual void fillRect(int left, int top, int right, int bottom) = 0;
    virtual void textOut(int x, int y, std::string_view text) = 0;
};

} // namespace vorn
