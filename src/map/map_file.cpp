#include "map/map_file.h"

#include "map/block_reading.h"
#include "map/entity.h"
#include "map/entity_block.h"
#include "platform/host.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <locale>
#include <numeric>
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

namespace {

// How far through the reading the passing over of the blocks and the building of their brushes
// is; the entities made from the blocks take the rest.
constexpr size_t kBuiltShare = 95;
constexpr size_t kWhole = 100;

// Where the reading is, told to whoever shows it.
class ReadingProgress {
public:
    explicit ReadingProgress(Progress* progress) : progress_(progress) {}
    // `done` of `total` of the part of the reading that ends at `share` percent, from `from`.
    void report(size_t from, size_t share, size_t done, size_t total) const
    {
        if (!progress_ || total == 0) return;
        const double part = static_cast<double>(done) / static_cast<double>(total);
        progress_->report(from * kScale + static_cast<size_t>(part * static_cast<double>((share - from) * kScale)),
                          kWhole * kScale);
    }

private:
    static constexpr size_t kScale = 100;
    Progress* progress_;
};

// Polygon corners farther out than the game's tools have long taken as sound.
constexpr float kSoundRange = 18000;

// Says once how many polygon corners of the read brushes lie beyond the sound range.
void reportOutOfRange(const std::vector<std::unique_ptr<CQEntity>>& entities, DebugOutput& log)
{
    size_t beyond = 0;
    for (const auto& entity : entities) {
        for (const CQBrush& brush : entity->brushes()) {
            for (const CQFace& face : brush.faces()) {
                if (!face.winding) continue;
                for (const Vec3& p : face.winding->points()) {
                    for (int axis = 0; axis < 3; ++axis) beyond += std::fabs(p[axis]) > kSoundRange ? 1 : 0;
                }
            }
        }
    }
    if (beyond > 0) log.debugOutput("CheckFace: BUGUS_RANGE: " + std::to_string(beyond) + " coordinates beyond 18000\n");
}

bool worldSaysValve(const CQEntity& world)
{
    return world.GetValue("\"mapversion\"") == "\"220\"";
}

} // namespace

MapReadResult ReadMap(std::string_view text, const FixedBoxes& classes, DebugOutput& log, Progress* progress,
                      std::vector<std::unique_ptr<CQEntity>>& entities, const TextRelease& release)
{
    MapReadResult result;
    const ReadingProgress reading(progress);
    BlocksRead read = ReadBlocksAndBrushes(
        text, log.shown(), [&](size_t done, size_t total) { reading.report(0, kBuiltShare, done, total); }, release);
    std::vector<EntityBlock>& blocks = read.blocks;
    const OrderedLog& report = read.log;
    const size_t totalBrushes = std::accumulate(blocks.begin(), blocks.end(), size_t{0},
                                                [](size_t sum, const EntityBlock& block) { return sum + block.sources.size(); });

    bool anyFaceLine = false;
    bool anyTextureAxes = false;
    size_t brushIndex = 0;
    for (EntityBlock& block : blocks) {
        // A brush with a number that cannot be taken as written ends the reading there, as any
        // other text that is not a map does.
        const auto malformed = std::ranges::find_if(block.sources, [](const BrushSource& s) { return s.malformedLine > 0; });
        if (malformed != block.sources.end()) {
            result.damaged = true;
            result.stoppedAtLine = malformed->malformedLine;
            break;
        }
        for (const BrushSource& source : block.sources) {
            report.replay(brushIndex++, log);
            anyTextureAxes = anyTextureAxes || source.hasTextureAxes;
        }
        anyFaceLine = anyFaceLine || !block.sources.empty();
        const bool moreFollows = block.moreFollows;
        const int firstLine = block.firstLine;
        auto entity = std::make_unique<CQEntity>();
        const EntityReadResult read = entity->Adopt(std::move(block), classes, log);
        result.emptyBrushesDropped += read.emptyBrushesDropped;
        result.unbuiltBrushLines.insert(result.unbuiltBrushLines.end(), read.unbuiltBrushLines.begin(),
                                        read.unbuiltBrushLines.end());
        if (entity->IsEmpty()) {
            // The normal end, or a block that could not be read: an empty block ("{ }") with
            // more after it counts as damage too, since everything after it is lost.
            result.damaged = read.status == EntityReadResult::NoBlock || read.status == EntityReadResult::Discarded ||
                             (read.status == EntityReadResult::Complete && moreFollows);
            result.stoppedAtLine = read.line;
            break;
        }
        if (read.placedAtOrigin) result.placedAtOriginLines.push_back(firstLine);
        entities.push_back(std::move(entity));
        ++result.entitiesRead;
        reading.report(kBuiltShare, kWhole, brushIndex, totalBrushes);
    }

    if (log.shown()) reportOutOfRange(entities, log);
    const bool valve = anyTextureAxes || (!anyFaceLine && !entities.empty() && worldSaysValve(*entities.front()));
    result.format = valve ? MapFormat::Valve220 : MapFormat::Standard;
    return result;
}

} // namespace vorn
