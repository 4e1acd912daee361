#pragma once

#include "textures/palette.h"
#include "textures/texture.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// Why an archive was not loaded.
enum class WadStatus {
    Loaded,
    TooShort,       // no complete header
    NotWad2,        // the identification is not "WAD2"
    NoEntries,      // the header's entry count is 0
    NegativeCount,  // the header's entry count is below 0
    TooManyEntries, // more than kMaxEntries
    DirectoryOutsideFile,
};

// A short description of a status for the user of a command-line tool.
std::string_view DescribeWadStatus(WadStatus status);

// A lump name fit for a terminal: every byte that is not printable ASCII as \xNN and a
// backslash as \\, so that control characters stored in a name cannot act on the terminal.
std::string PrintableName(std::string_view name);

// A WAD2 texture archive read whole into memory. Every offset, size and count taken from the
// file is checked against the file before it is used; a texture lump that lies beyond the file,
// or is compressed (which no game reads), reads as the "INVALID" texture, without failing the
// archive.
class CQWad {
public:
    static constexpr int kMaxEntries = 2048;
    static constexpr uint8_t kPaletteType = 0x40;
    static constexpr uint8_t kTextureType = 0x44;

    struct Entry {
        uint32_t filePos = 0;
        uint32_t diskSize = 0;
        uint32_t size = 0;
        uint8_t type = 0;
        uint8_t compression = 0;
        std::string name;
    };

    // Forgets the archive held before, then reads the archive's bytes (the file read whole).
    // Anything but Loaded leaves the reader empty.
    WadStatus loadBytes(std::string bytes);

    bool isLoaded() const { return loaded_; }
    int count() const { return static_cast<int>(directory_.size()); }
    const std::string& entryName(int index) const { return directory_[static_cast<size_t>(index)].name; }
    uint8_t entryType(int index) const { return directory_[static_cast<size_t>(index)].type; }

    // The indices of the texture entries in directory order, duplicates included; entries
    // without a name are left out, since no face can name them.
    std::vector<int> textureEntries() const;
    // Their names.
    std::vector<std::string> textureNames() const;
    // The first entry whose name equals `name` ignoring case (16 characters compared).
    std::optional<int> find(std::string_view name) const;
    // The named texture, or the "INVALID" texture when it is not here or cannot be read.
    CQTexture readTexture(std::string_view name) const;
    // The size in the lump header of entry `index`; nothing when the lump cannot be read.
    std::optional<CQTexture::Size> textureSize(int index) const;
    // The first palette entry's colours; count 0 and black when there is none.
    CQPalette readPalette() const;

    // Bytes held besides the file's own (the directory).
    size_t directoryMemory() const;

private:
    void clear();

    bool loaded_ = false;
    std::string bytes_;
    std::vector<Entry> directory_;
};

} // namespace vorn
