// make_sample_wad OUT.wad: writes the editor's own small texture archive (see
// resources/maps/vorn_sample.wad) from generated pictures, in the default palette, with that
// palette as its palette lump. Run again after changing a picture:
//   build/tools/make_sample_wad/make_sample_wad resources/maps/vorn_sample.wad

#include "platform/file_saving.h"
#include "sample_images.h"
#include "textures/default_palette.h"
#include "textures/palette.h"
#include "textures/wad.h"
#include "textures/wad_writer.h"

#include <cstdio>
#include <limits>

using namespace vorn;

namespace {

// The colours 224 to 255 glow in the game, so ordinary pictures use only the others.
constexpr int kOrdinaryColours = 224;

uint8_t nearest(const CQPalette& palette, Rgb c)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < kOrdinaryColours; ++i) {
        const Rgb& p = palette.colour(i);
        const int d = (p.r - c.r) * (p.r - c.r) + (p.g - c.g) * (p.g - c.g) + (p.b - c.b) * (p.b - c.b);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return static_cast<uint8_t>(best);
}

std::string paletteLump(const CQPalette& palette)
{
    std::string bytes;
    for (int i = 0; i < CQPalette::kColours; ++i) {
        const Rgb& c = palette.colour(i);
        bytes += {static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)};
    }
    return bytes;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_wad OUT.wad\n");
        return 2;
    }
    const CQPalette palette = DefaultPalette();
    WadWriter writer;
    writer.addLump(CQWad::kPaletteType, "palette", paletteLump(palette));
    for (const SampleImage& image : SampleImages()) {
        std::vector<uint8_t> pixels;
        pixels.reserve(static_cast<size_t>(image.width) * image.height);
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) pixels.push_back(nearest(palette, image.colour(x, y)));
        }
        writer.addTexture(image.name, static_cast<uint32_t>(image.width), static_cast<uint32_t>(image.height), pixels);
    }
    if (const auto error = SaveFile(argv[1], writer.bytes())) {
        std::fprintf(stderr, "make_sample_wad: %s: %s\n", argv[1], error->c_str());
        return 1;
    }
    return 0;
}
