#include "map/map_file.h"

#include "map/entity.h"
#include "map/text_reader.h"
#include "platform/host.h"

#include <iomanip>
#include <locale>
#include <sstream>

namespace vorn {

std::string FormatModifiedTime(const std::tm& time)
{
    std::ostringstream text;
    text.imbue(std::locale::classic());
    text << std::put_time(&time, "%A, %B %d, %Y, %I:%M %p");
    return text.str();
}

std::string MapHeaderText(const MapHeader& header)
{
    std::string text = "// Filename: " + header.path;
    text += "\n// Contents: Quake map file\n// Editor used: Vorn v1.5\n// Last modified: ";
    text += FormatModifiedTime(header.modified);
    if (!header.authorName.empty()) {
        text += "\n// Author: " + header.authorName;
        if (!header.authorEmail.empty()) text += "\n// Author's email: " + header.authorEmail;
    }
    text += "\n// Map Contains: " + std::to_string(header.entityCount) + " Entities, " +
            std::to_string(header.brushCount) + " Brushes\n\n";
    return text;
}

std::string WriteMap(const MapHeader& header, const std::vector<std::unique_ptr<CQEntity>>& entities)
{
    std::string text = MapHeaderText(header);
    for (const auto& entity : entities) entity->Serialize(text);
    return text;
}

MapReadResult ReadMap(std::string_view text, const FixedBoxes& classes, DebugOutput& log, Progress* progress,
                      std::vector<std::unique_ptr<CQEntity>>& entities)
{
    MapReadResult result;
    TextCursor in(text);
    for (;;) {
        auto entity = std::make_unique<CQEntity>();
        const EntityReadResult read = entity->Read(in, classes, log);
        result.overfullBrushLines.insert(result.overfullBrushLines.end(), read.overfullBrushLines.begin(),
                                         read.overfullBrushLines.end());
        result.emptyBrushesDropped += read.emptyBrushesDropped;
        result.unbuiltBrushLines.insert(result.unbuiltBrushLines.end(), read.unbuiltBrushLines.begin(),
                                        read.unbuiltBrushLines.end());
        if (progress) progress->report(in.position(), in.size());
        if (entity->IsEmpty()) {
            // The normal end, or a block that could not be read: an empty block ("{ }") with
            // more after it counts as damage too, since everything after it is lost.
            const bool moreFollows = read.status == EntityReadResult::Complete && NextNonBlank(in) != 0;
            result.damaged = read.status == EntityReadResult::NoBlock || read.status == EntityReadResult::Discarded ||
                             moreFollows;
            result.stoppedAtLine = read.line;
            break;
        }
        if (read.placedAtOrigin) ++result.entitiesPlacedAtOrigin;
        entities.push_back(std::move(entity));
        ++result.entitiesRead;
    }
    return result;
}

} // namespace vorn
