#include "textures/wad_writer.h"

#include "textures/wad.h"

namespace vorn {
namespace {

void appendU32(std::string& out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xff));
}

void appendName(std::string& out, std::string_view name)
{
    std::string field(name.substr(0, 16));
    field.resize(16, '\0');
    out += field;
}

// Every `step`-th pixel of every `step`-th row.
std::string reduced(const std::vector<uint8_t>& pixels, uint32_t width, uint32_t height, uint32_t step)
{
    std::string level;
    for (uint32_t y = 0; y + step <= height; y += step) {
        for (uint32_t x = 0; x + step <= width; x += step) level.push_back(static_cast<char>(pixels[y * width + x]));
    }
    return level;
}

} // namespace

void WadWriter::addLump(uint8_t type, std::string_view name, std::string_view data)
{
    lumps_.push_back({type, std::string(name), std::string(data)});
}

void WadWriter::addTexture(std::string_view name, uint32_t width, uint32_t height, const std::vector<uint8_t>& pixels)
{
    std::string levels;
    std::string lump;
    appendName(lump, name);
    appendU32(lump, width);
    appendU32(lump, height);
    for (uint32_t step = 1; step <= 8; step *= 2) {
        appendU32(lump, static_cast<uint32_t>(CQTexture::kHeaderSize + levels.size()));
        levels += reduced(pixels, width, height, step);
    }
    addLump(CQWad::kTextureType, name, lump + levels);
}

std::string WadWriter::bytes() const
{
    std::string out = "WAD2";
    std::string lumpData;
    std::string directory;
    const uint32_t firstLump = 12;
    for (const Lump& lump : lumps_) {
        appendU32(directory, static_cast<uint32_t>(firstLump + lumpData.size()));
        appendU32(directory, static_cast<uint32_t>(lump.data.size()));
        appendU32(directory, static_cast<uint32_t>(lump.data.size()));
        directory.push_back(static_cast<char>(lump.type));
        directory.append(3, '\0');
        appendName(directory, lump.name);
        lumpData += lump.data;
    }
    appendU32(out, static_cast<uint32_t>(lumps_.size()));
    appendU32(out, static_cast<uint32_t>(firstLump + lumpData.size()));
    return out + lumpData + directory;
}

} // namespace vorn
