#include "textures/default_palette.h"

#include "textures/palette.h"

#include <array>

namespace vorn {
namespace {

constexpr int kShades = 16;

// The brightest shade of ramps 1 to 15; ramp 0 is grey.
constexpr std::array<Rgb, 15> kRampTops{{
    {171, 123, 83},  // brown
    {143, 143, 187}, // slate blue
    {123, 171, 83},  // moss green
    {235, 75, 59},   // red
    {219, 151, 91},  // rust
    {255, 219, 99},  // gold
    {239, 191, 163}, // skin
    {187, 115, 203}, // purple
    {219, 123, 155}, // rose
    {219, 199, 155}, // sand
    {151, 171, 107}, // olive
    {107, 203, 219}, // cyan
    {255, 171, 39},  // flame
    {91, 131, 255},  // blue
    {255, 243, 167}, // pale glow
}};

uint8_t shade(uint8_t top, int step) { return static_cast<uint8_t>(top * (step + 1) / kShades); }

} // namespace

CQPalette DefaultPalette()
{
    CQPalette palette;
    for (int step = 0; step < kShades; ++step) {
        const auto grey = static_cast<uint8_t>(step == 0 ? 0 : kShades * step - 1);
        palette.setColour(step, {grey, grey, grey});
    }
    for (size_t ramp = 0; ramp < kRampTops.size(); ++ramp) {
        const Rgb& top = kRampTops[ramp];
        for (int step = 0; step < kShades; ++step) {
            palette.setColour(static_cast<int>(ramp + 1) * kShades + step,
                              {shade(top.r, step), shade(top.g, step), shade(top.b, step)});
        }
    }
    palette.setColour(254, {255, 255, 255});
    palette.setColour(255, {159, 91, 83});
    return palette;
}


} // namespace vorn
