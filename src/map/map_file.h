#pragma once

#include "map/map_format.h"

#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

class CQEntity;
class DebugOutput;
class FixedBoxes;
class Progress;

// Who the written map's header names as its author.
struct MapAuthor {
    std::string name;
    std::string email;
};

// What the comment header at the top of a written map says.
struct MapHeader {
    std::string path;
    std::string authorName;
    std::string authorEmail;
    std::tm modified{};
    int entityCount = 0;
    int brushCount = 0;
    // How the faces are written; the header text is the same for both.
    MapFormat format = MapFormat::Standard;
};

// The comment header, ending with an empty line.
std::string MapHeaderText(const MapHeader& header);

// "Friday, June 07, 1996, 03:05 PM", in English whatever the user's locale.
std::string FormatModifiedTime(const std::tm& time);

struct MapReadResult {
    int entitiesRead = 0;
    // Lines where the entities with neither brushes nor an origin begin; each is placed at 0 0 0.
    std::vector<int> placedAtOriginLines;
    int emptyBrushesDropped = 0;
    // Lines of the brushes that did not build into a solid and are kept unchanged.
    std::vector<int> unbuiltBrushLines;
    // Reading stopped before the end of the file; what was read before is kept.
    bool damaged = false;
    int stoppedAtLine = 0;
    // Valve 220 when a face line has texture axes, or when there is no face line and the world
    // says "mapversion" "220"; otherwise standard.
    MapFormat format = MapFormat::Standard;
};

// Told how far into the text the reading no longer needs it.
using TextRelease = std::function<void(size_t usedUpTo)>;

// Reads entity blocks until the end of the text or the first block that cannot be read,
// appending each entity read. The brushes are built on all cores; what the builds report reaches
// the log in the order a build of one brush after another would give. The text is not looked at
// again before where `release` was last told.
MapReadResult ReadMap(std::string_view text, const FixedBoxes& classes, DebugOutput& log, Progress* progress,
                      std::vector<std::unique_ptr<CQEntity>>& entities, const TextRelease& release = {});

} // namespace vorn
