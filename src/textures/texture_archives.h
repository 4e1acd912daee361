#pragma once

#include "geometry/brush.h"
#include "textures/wad.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

class Host;

// What loading a map's archives has to tell: message boxes and debug lines, in order.
struct ArchiveReport {
    std::vector<std::string> messages;
    std::vector<std::string> debugLines;
};
// Shows the report's messages and writes its debug lines.
void ShowArchiveReport(const ArchiveReport& report, Host& host);

// The archives a map's "wad" value names: several paths separated by ";", each relative path
// tried against the folders in order (the map's folder, the current folder, the game folder).
// Textures are listed from all of them; for a name, the first archive that has it wins.
class TextureArchives : public TextureSizeSource {
public:
    struct Archive {
        std::string name;     // as the "wad" value writes it
        std::string path;     // where it was found
        std::unique_ptr<CQWad> wad;
    };

    // Forgets the archives held before and loads those `wadValue` names; a failing archive is
    // reported once, as "Could not load wad named <name>", followed by the reason when a file of
    // that name is there but could not be read (": not a regular file").
    ArchiveReport load(std::string_view wadValue, const std::vector<std::string>& folders);

    // The value last given to load, exactly as given.
    const std::string& wadValue() const { return wadValue_; }
    bool isLoaded() const { return !archives_.empty(); }
    const std::vector<Archive>& archives() const { return archives_; }

    // Every texture name of every archive, in archive then directory order.
    std::vector<std::string> textureNames() const;
    CQTexture readTexture(std::string_view name) const;
    // The first archive's palette lump; count 0 when no archive has one.
    CQPalette readPalette() const;

    Size textureSize(std::string_view name) override;

private:
    std::string wadValue_;
    std::vector<Archive> archives_;
};

// The ";"-separated paths of a "wad" value, blanks around each trimmed, empty ones dropped.
std::vector<std::string> SplitWadValue(std::string_view wadValue);

// Where a map's archives are looked for, in order: the map's folder (when it has a file), the
// current folder (""), the game folder (when set).
std::vector<std::string> TextureSearchFolders(std::string_view mapPath, std::string_view gameFolder);

// The places a path is tried: itself when absolute, else each folder joined with it (an empty
// folder meaning the current folder).
std::vector<std::string> CandidatePaths(std::string_view path, const std::vector<std::string>& folders);

} // namespace vorn
