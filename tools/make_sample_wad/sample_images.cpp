#include "sample_images.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vorn {
namespace {

// Smooth value noise in [0, 1], repeating every `period` pixels so textures tile.
double noise(int x, int y, int cell, int period, uint32_t seed)
{
    const int cells = std::max(1, period / cell);
    const auto lattice = [&](int cx, int cy) {
        uint32_t h = static_cast<uint32_t>((cx % cells + cells) % cells) * 374761393u +
                     static_cast<uint32_t>((cy % cells + cells) % cells) * 668265263u + seed * 2246822519u;
        h = (h ^ (h >> 13)) * 1274126177u;
        return static_cast<double>(h ^ (h >> 16)) / 4294967295.0;
    };
    const double fx = static_cast<double>(x) / cell;
    const double fy = static_cast<double>(y) / cell;
    const int x0 = static_cast<int>(std::floor(fx));
    const int y0 = static_cast<int>(std::floor(fy));
    const auto smooth = [](double t) { return t * t * (3 - 2 * t); };
    const double tx = smooth(fx - x0);
    const double ty = smooth(fy - y0);
    const double top = lattice(x0, y0) * (1 - tx) + lattice(x0 + 1, y0) * tx;
    const double bottom = lattice(x0, y0 + 1) * (1 - tx) + lattice(x0 + 1, y0 + 1) * tx;
    return top * (1 - ty) + bottom * ty;
}

// Several octaves of noise, for a rough surface.
double grain(int x, int y, int period, uint32_t seed)
{
    return 0.5 * noise(x, y, 16, period, seed) + 0.3 * noise(x, y, 8, period, seed + 1) +
           0.2 * noise(x, y, 2, period, seed + 2);
}

Rgb scaled(Rgb c, double f)
{
    const auto channel = [f](uint8_t v) { return static_cast<uint8_t>(std::clamp(v * f, 0.0, 255.0)); };
    return {channel(c.r), channel(c.g), channel(c.b)};
}

// Bricks of w × h with mortar lines, every other row shifted by half a brick.
SampleImage bricks(std::string name, Rgb brick, Rgb mortar, int w, int h, uint32_t seed)
{
    return {std::move(name), 64, 64, [=](int x, int y) {
                const int row = y / h;
                const int bx = (x + (row % 2) * w / 2) % 64;
                if (y % h >= h - 2 || bx % w >= w - 2) return scaled(mortar, 0.8 + 0.4 * grain(x, y, 64, seed));
                const double shade = 0.75 + 0.3 * noise(bx / w, row, 1, 64, seed) + 0.25 * grain(x, y, 64, seed + 7);
                return scaled(brick, shade);
            }};
}

// Square tiles of `size` with a joint colour.
SampleImage tiles(std::string name, Rgb a, Rgb b, Rgb joint, int size, uint32_t seed)
{
    return {std::move(name), 64, 64, [=](int x, int y) {
                if (x % size == 0 || y % size == 0) return joint;
                const Rgb base = ((x / size + y / size) % 2 == 0) ? a : b;
                return scaled(base, 0.85 + 0.3 * grain(x, y, 64, seed));
            }};
}

// Horizontal boards `width` high with wood grain.
SampleImage planks(std::string name, Rgb wood, int width, uint32_t seed)
{
    return {std::move(name), 64, 64, [=](int x, int y) {
                const int board = y / width;
                if (y % width == 0) return scaled(wood, 0.35);
                const double stripes = 0.5 + 0.5 * std::sin((x + board * 23) * 0.35 + 6 * noise(x, y, 8, 64, seed));
                return scaled(wood, 0.7 + 0.2 * stripes + 0.15 * noise(board, 0, 1, 64, seed + 3));
            }};
}

// A plate with bevelled edges every `size` pixels and a rivet near each corner.
SampleImage plates(std::string name, Rgb metal, int size, bool rivets, uint32_t seed)
{
    return {std::move(name), 64, 64, [=](int x, int y) {
                const int px = x % size;
                const int py = y % size;
                if (px == 0 || py == 0) return scaled(metal, 1.3);
                if (px == size - 1 || py == size - 1) return scaled(metal, 0.5);
                if (rivets) {
                    for (const int cx : {4, size - 5}) {
                        for (const int cy : {4, size - 5}) {
                            const int dx = px - cx;
                            const int dy = py - cy;
                            if (dx * dx + dy * dy <= 3) return scaled(metal, dx + dy < 0 ? 1.4 : 0.6);
                        }
                    }
                }
                return scaled(metal, 0.85 + 0.25 * grain(x, y, 64, seed));
            }};
}

// Diagonal warning stripes.
SampleImage stripes(std::string name, Rgb a, Rgb b, uint32_t seed)
{
    return {std::move(name), 64, 64, [=](int x, int y) {
                const Rgb base = ((x + y) / 8) % 2 == 0 ? a : b;
                return scaled(base, 0.85 + 0.25 * grain(x, y, 64, seed));
            }};
}

// A rough surface of one colour.
SampleImage rough(std::string name, Rgb base, double contrast, uint32_t seed)
{
    return {std::move(name), 64, 64, [=](int x, int y) {
                return scaled(base, 1 - contrast / 2 + contrast * grain(x, y, 64, seed));
            }};
}

// Ripples for liquids.
SampleImage liquid(std::string name, Rgb deep, Rgb light, uint32_t seed)
{
    return {std::move(name), 64, 64, [=](int x, int y) {
                const double wave = 0.5 + 0.5 * std::sin((x + 12 * noise(x, y, 16, 64, seed)) * 0.196 +
                                                         std::sin(y * 0.098) * 2);
                const double t = std::clamp(0.6 * wave + 0.4 * noise(x, y, 8, 64, seed + 5), 0.0, 1.0);
                return Rgb{static_cast<uint8_t>(deep.r + (light.r - deep.r) * t),
                           static_cast<uint8_t>(deep.g + (light.g - deep.g) * t),
                           static_cast<uint8_t>(deep.b + (light.b - deep.b) * t)};
            }};
}

// Clouds over a sky colour; the game draws skies from two 128 × 128 halves.
SampleImage sky(std::string name, Rgb skyColour, Rgb cloud, uint32_t seed)
{
    return {std::move(name), 256, 128, [=](int x, int y) {
                const double c = std::clamp((grain(x % 128, y, 128, seed) - 0.45) * 2.5, 0.0, 1.0);
                return Rgb{static_cast<uint8_t>(skyColour.r + (cloud.r - skyColour.r) * c),
                           static_cast<uint8_t>(skyColour.g + (cloud.g - skyColour.g) * c),
                           static_cast<uint8_t>(skyColour.b + (cloud.b - skyColour.b) * c)};
            }};
}

// A bright panel in a dark frame.
SampleImage lightPanel(std::string name, Rgb glow)
{
    return {std::move(name), 32, 32, [=](int x, int y) {
                const bool frame = x < 4 || y < 4 || x > 27 || y > 27;
                return frame ? Rgb{60, 60, 60} : scaled(glow, 1.0 - 0.02 * std::abs(x - 16));
            }};
}

// A flat colour with a label-like cross, for the compilers' special textures.
SampleImage marker(std::string name, Rgb base)
{
    return {std::move(name), 32, 32, [=](int x, int y) {
                return (x == y || x == 31 - y) ? scaled(base, 0.5) : base;
            }};
}

} // namespace

std::vector<SampleImage> SampleImages()
{
    return {
        bricks("wall_brick", {150, 70, 50}, {120, 115, 105}, 16, 8, 1),
        bricks("brick_grey", {120, 120, 125}, {70, 70, 70}, 16, 8, 2),
        bricks("brick_large", {160, 110, 70}, {90, 80, 70}, 32, 16, 3),
        bricks("brick_dark", {80, 50, 45}, {40, 40, 40}, 16, 8, 4),
        tiles("floor_stone", {130, 125, 115}, {115, 110, 100}, {60, 55, 50}, 32, 5),
        tiles("floor_tile", {190, 180, 160}, {90, 80, 70}, {50, 50, 50}, 16, 6),
        tiles("floor_check", {200, 200, 200}, {40, 40, 40}, {100, 100, 100}, 16, 7),
        plates("floor_grate", {110, 110, 100}, 8, false, 8),
        planks("ceil_plank", {150, 100, 60}, 8, 9),
        planks("floor_wood", {170, 120, 70}, 16, 10),
        planks("wood_dark", {100, 65, 40}, 8, 11),
        plates("door_metal", {110, 115, 130}, 32, true, 12),
        plates("metal_plate", {140, 140, 150}, 16, false, 13),
        plates("metal_rivet", {120, 110, 100}, 32, true, 14),
        rough("metal_rust", {150, 80, 40}, 0.7, 15),
        plates("metal_gold", {200, 160, 60}, 32, true, 16),
        stripes("metal_stripe", {210, 170, 40}, {40, 40, 40}, 17),
        rough("trim_dark", {60, 55, 50}, 0.4, 18),
        rough("trim_gold", {190, 150, 60}, 0.3, 19),
        rough("stone_rough", {120, 115, 100}, 0.6, 20),
        rough("stone_moss", {90, 110, 70}, 0.7, 21),
        tiles("stone_blocks", {140, 135, 120}, {125, 120, 110}, {70, 65, 60}, 32, 22),
        rough("dirt", {110, 80, 50}, 0.6, 23),
        rough("grass", {70, 120, 50}, 0.6, 24),
        rough("sand", {200, 180, 130}, 0.3, 25),
        rough("marble", {210, 205, 195}, 0.25, 26),
        plates("crate", {160, 120, 70}, 64, true, 27),
        plates("tech_panel", {90, 100, 110}, 16, true, 28),
        stripes("tech_vent", {70, 75, 80}, {30, 30, 35}, 29),
        liquid("*water", {20, 40, 90}, {60, 110, 170}, 30),
        liquid("*slime", {30, 70, 20}, {90, 160, 40}, 31),
        liquid("*lava", {140, 30, 10}, {250, 170, 40}, 32),
        sky("sky_blue", {60, 90, 170}, {220, 220, 230}, 33),
        sky("sky_dusk", {90, 50, 80}, {230, 150, 90}, 34),
        lightPanel("light_panel", {255, 240, 180}),
        marker("clip", {180, 60, 160}),
        marker("trigger", {200, 120, 40}),
    };
}

} // namespace vorn
