#include "map/brush_text.h"
#include "map/entity.h"
#include "map/entity_block.h"
#include "map/text_reader.h"
#include "platform/debug_output.h"

namespace vorn {

EntityReadResult CQEntity::Read(TextCursor& in, const FixedBoxes& classes, DebugOutput& log)
{
    EntityBlock block = ReadEntityBlock(in);
    block.brushes.resize(block.sources.size());
    BrushFaceReader faces;
    for (size_t i = 0; i < block.sources.size(); ++i) {
        BrushSource& source = block.sources[i];
        ReadBlockBrush(source, block.brushes[i], faces, log);
        if (source.malformedLine > 0) {
            EntityReadResult discarded;
            discarded.status = EntityReadResult::Discarded;
            discarded.line = source.malformedLine;
            return discarded;
        }
    }
    return Adopt(std::move(block), classes, log);
}

EntityReadResult CQEntity::Adopt(EntityBlock&& block, const FixedBoxes& classes, DebugOutput& log)
{
    *this = CQEntity();
    EntityReadResult result;
    result.status = block.status;
    result.line = block.line;
    if (block.status == EntityReadResult::EndOfFile || block.status == EntityReadResult::NoBlock) return result;
    if (block.status == EntityReadResult::Complete) {
        fileLine_ = block.firstLine;
        for (CQKeyValue& pair : block.pairs) SetValue(pair.key, pair.value);
        // The solids stay in the block's own list, moved up over the others, which is then taken whole.
        size_t kept = 0;
        for (size_t i = 0; i < block.brushes.size(); ++i) {
            CQBrush& brush = block.brushes[i];
            const BrushSource& source = block.sources[i];
            if (brush.numfaces() == 0) {
                ++result.emptyBrushesDropped;
            } else if (source.unbuiltText) {
                unbuilt_.push_back({std::move(*source.unbuiltText), source.line});
                result.unbuiltBrushLines.push_back(source.line);
            } else {
                if (kept != i) block.brushes[kept] = std::move(brush);
                ++kept;
            }
        }
        block.brushes.resize(kept);
        brushes_ = std::move(block.brushes);
    }

    std::optional<Vec3> origin;
    if (brushes_.empty()) {
        const std::string_view stored = GetValue(kOriginKey);
        if (stored.empty() && !unbuilt_.empty()) {
            origin = kOrigin; // it has brushes, only none that can be shown
        } else if (stored.empty()) {
            // The world needs no place, and editors write empty groups for their groups and layers:
            // neither is a mistake.
            result.placedAtOrigin = className() != "worldspawn" && className() != "func_group";
            origin = kOrigin;
        } else {
            origin = ParseVector(stored);
        }
    }

    const std::string name = className();
    const std::optional<FixedBoxes::Box> box = classes.fixedBox(name);
    // A class with a fixed box whose block brings brushes of its own keeps them: replacing them by
    // the class box would drop them from the file on the next save.
    if (box && brushes_.empty()) {
        MakeFixedSizeBrush(*box, origin, log);
        modifiable_ = false;
    } else {
        isWorld_ = name == "worldspawn";
        modifiable_ = true;
    }
    return result;
}

} // namespace vorn
