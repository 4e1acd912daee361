#include "textures/texture_colours.h"

#include "platform/file_reading.h"
#include "textures/default_palette.h"
#include "textures/texture_archives.h"


namespace vorn {
namespace {

constexpr int kColourMapRow = 32;

std::optional<CQPalette> paletteFile(const std::vector<std::string>& folders)
{
    for (const std::string& path : CandidatePaths("palette.lmp", folders)) {
        const FileContents file = ReadWholeFile(path);
        if (!file.bytes) continue;
        CQPalette palette = CQPalette::fromBytes(*file.bytes);
        if (palette.count() > 0) return palette;
    }
    return std::nullopt;
}

std::optional<CQPaletteMap> colourMapFile(const std::vector<std::string>& folders)
{
    for (const std::string& path : CandidatePaths("colormap.lmp", folders)) {
        const FileContents file = ReadWholeFile(path);
        CQPaletteMap map;
        if (file.bytes && map.loadRow(*file.bytes, kColourMapRow)) return map;
    }
    return std::nullopt;
}

} // namespace

TextureColours FindTextureColours(const TextureArchives& archives, const std::vector<std::string>& folders)
{
    TextureColours colours;
    colours.palette = archives.readPalette();
    if (colours.palette.count() == 0) colours.palette = paletteFile(folders).value_or(DefaultPalette());
    if (const auto map = colourMapFile(folders)) colours.map = *map;
    return colours;
}

} // namespace vorn
