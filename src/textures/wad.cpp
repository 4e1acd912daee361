#include "textures/wad.h"

#include "map/ignoring_case.h"
#include "textures/byte_view.h"

#include <algorithm>

namespace vorn {
namespace {

constexpr uint64_t kHeaderSize = 12;
constexpr uint64_t kEntrySize = 32;
constexpr size_t kNameLength = 16;

bool sameNameIgnoringCase(std::string_view a, std::string_view b)
{
    return EqualIgnoringCase(a.substr(0, kNameLength), b.substr(0, kNameLength));
}

// A lump that is stored compressed holds no pixels or colours to read as they are.
bool isCompressed(const CQWad::Entry& entry)
{
    return entry.compression != 0;
}

} // namespace

std::string PrintableName(std::string_view name)
{
    constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\') {
            out += "\\\\";
        } else if (byte < 0x20 || byte >= 0x7f) {
            out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xf]};
        } else {
            out += c;
        }
    }
    return out;
}

std::string_view DescribeWadStatus(WadStatus status)
{
    switch (status) {
    case WadStatus::Loaded: return "loaded";
    case WadStatus::TooShort: return "the file is too short for a header";
    case WadStatus::NotWad2: return "not a WAD2 archive";
    case WadStatus::NoEntries: return "the archive has no entries";
    case WadStatus::NegativeCount: return "the entry count is negative";
    case WadStatus::TooManyEntries: return "Wad has too many entries!";
    case WadStatus::DirectoryOutsideFile: return "the directory lies beyond the end of the file";
    }
    return "unknown";
}

void CQWad::clear()
{
    loaded_ = false;
    bytes_.clear();
    bytes_.shrink_to_fit();
    directory_.clear();
    directory_.shrink_to_fit();
}

WadStatus CQWad::loadBytes(std::string bytes)
{
    clear();
    const ByteView view(bytes);
    if (!view.contains(0, kHeaderSize)) return WadStatus::TooShort;
    if (view.slice(0, 4) != "WAD2") return WadStatus::NotWad2;
    const int32_t count = view.i32(4);
    if (count == 0) return WadStatus::NoEntries;
    if (count < 0) return WadStatus::NegativeCount;
    if (count > kMaxEntries) return WadStatus::TooManyEntries;
    const uint64_t directoryOffset = view.u32(8);
    if (!view.contains(directoryOffset, kEntrySize * static_cast<uint64_t>(count))) return WadStatus::DirectoryOutsideFile;

    std::vector<Entry> directory(static_cast<size_t>(count));
    for (size_t i = 0; i < directory.size(); ++i) {
        const uint64_t at = directoryOffset + kEntrySize * i;
        Entry& entry = directory[i];
        entry.filePos = view.u32(at);
        entry.diskSize = view.u32(at + 4);
        entry.size = view.u32(at + 8);
        entry.type = view.u8(at + 12);
        entry.compression = view.u8(at + 13);
        entry.name = view.paddedName(at + 16, kNameLength);
    }
    bytes_ = std::move(bytes);
    directory_ = std::move(directory);
    loaded_ = true;
    return WadStatus::Loaded;
}

std::vector<int> CQWad::textureEntries() const
{
    std::vector<int> indices;
    for (size_t i = 0; i < directory_.size(); ++i) {
        if (directory_[i].type == kTextureType && !directory_[i].name.empty()) indices.push_back(static_cast<int>(i));
    }
    return indices;
}

std::vector<std::string> CQWad::textureNames() const
{
    std::vector<std::string> names;
    for (const int index : textureEntries()) names.push_back(entryName(index));
    return names;
}

std::optional<int> CQWad::find(std::string_view name) const
{
    for (size_t i = 0; i < directory_.size(); ++i) {
        if (sameNameIgnoringCase(directory_[i].name, name)) return static_cast<int>(i);
    }
    return std::nullopt;
}

CQTexture CQWad::readTexture(std::string_view name) const
{
    CQTexture texture;
    const auto index = find(name);
    if (!index) return texture;
    const Entry& entry = directory_[static_cast<size_t>(*index)];
    if (!isCompressed(entry)) texture.readFrom(ByteView(bytes_), entry.filePos);
    return texture;
}

std::optional<CQTexture::Size> CQWad::textureSize(int index) const
{
    const Entry& entry = directory_[static_cast<size_t>(index)];
    CQTexture::Size size;
    if (isCompressed(entry) || !CQTexture::readSize(ByteView(bytes_), entry.filePos, size)) return std::nullopt;
    return size;
}

CQPalette CQWad::readPalette() const
{
    const auto entry = std::ranges::find_if(directory_, [](const Entry& e) { return e.type == kPaletteType; });
    if (entry == directory_.end() || isCompressed(*entry)) return {};
    const ByteView view(bytes_);
    if (!view.contains(entry->filePos, CQPalette::kBytes)) return {};
    return CQPalette::fromBytes(view.slice(entry->filePos, CQPalette::kBytes));
}

size_t CQWad::directoryMemory() const
{
    size_t bytes = directory_.capacity() * sizeof(Entry);
    for (const Entry& entry : directory_) {
        if (entry.name.capacity() > std::string().capacity()) bytes += entry.name.capacity() + 1;
    }
    return bytes;
}

} // namespace vorn
