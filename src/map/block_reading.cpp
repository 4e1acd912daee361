#include "map/block_reading.h"

#include "map/brush_text.h"
#include "map/text_reader.h"

#include <algorithm>

namespace vorn {
namespace {

// Brushes built between two reports of the progress, and two givings back of the text.
constexpr size_t kBrushesAtATime = 8192;

// The passing over the blocks takes about a sixteenth of the reading's time, their brushes the rest.
constexpr size_t kPassWeight = 1;
constexpr size_t kBuildWeight = 15;

// Every block up to the first that ends the reading for sure. The pass says how far it is about
// a hundred times over the text.
std::vector<EntityBlock> passBlocks(std::string_view text, const std::function<void(size_t passedTo)>& passed)
{
    const size_t step = std::max<size_t>(1, text.size() / 100);
    size_t toldAt = 0;
    TextCursor in(text);
    std::vector<EntityBlock> blocks;
    for (;;) {
        EntityBlock& block = blocks.emplace_back(ReadEntityBlock(in));
        if (in.position() - toldAt >= step) {
            toldAt = in.position();
            passed(toldAt);
        }
        if (block.status != EntityReadResult::Complete || (block.pairs.empty() && block.sources.empty())) break;
    }
    return blocks;
}

// The brushes of every block, numbered one after another through the blocks.
class BrushNumbering {
public:
    explicit BrushNumbering(std::vector<EntityBlock>& blocks) : blocks_(blocks)
    {
        starts_.reserve(blocks.size());
        for (const EntityBlock& block : blocks) {
            starts_.push_back(total_);
            total_ += block.sources.size();
        }
    }
    size_t total() const { return total_; }
    // The block that brush `number` belongs to, and its place there.
    std::pair<EntityBlock&, size_t> find(size_t number) const
    {
        // The last block starting at or before it: blocks without brushes share their start with
        // the next.
        const auto after = std::upper_bound(starts_.begin(), starts_.end(), number);
        const auto block = static_cast<size_t>(after - starts_.begin()) - 1;
        return {blocks_[block], number - starts_[block]};
    }

private:
    std::vector<EntityBlock>& blocks_;
    std::vector<size_t> starts_;
    size_t total_ = 0;
};

} // namespace

BlocksRead ReadBlocksAndBrushes(std::string_view text, bool keepLines, const ReadingReached& reached,
                                const TextRelease& release)
{
    const size_t total = (kPassWeight + kBuildWeight) * text.size();
    BlocksRead read;
    read.blocks = passBlocks(text, [&](size_t passedTo) { reached(kPassWeight * passedTo, total); });
    for (EntityBlock& block : read.blocks) block.brushes.resize(block.sources.size()); // each built in its place

    // Each thread carves the faces and polygons of its brushes from an arena of its own.
    const BrushNumbering numbering(read.blocks);
    const size_t workers = JobWorkers(numbering.total());
    std::vector<BulkArena> arenas(workers);
    std::vector<BrushFaceReader> readers;
    for (BulkArena& arena : arenas) readers.emplace_back(&arena);
    const auto build = [&](size_t number, size_t worker, DebugOutput& jobLog) {
        const auto [block, at] = numbering.find(number);
        ReadBlockBrush(block.sources[at], block.brushes[at], readers[worker], jobLog);
    };
    const auto builtBelow = [&](size_t end) {
        const auto [lastBlock, lastAt] = numbering.find(end - 1);
        const std::string_view last = lastBlock.sources[lastAt].text;
        const auto builtTo = static_cast<size_t>(last.data() + last.size() - text.data());
        if (release) release(builtTo);
        reached(kPassWeight * text.size() + kBuildWeight * builtTo, total);
    };
    read.log = RunJobsInSteps(numbering.total(), kBrushesAtATime, keepLines, build, builtBelow);
    if (release) release(text.size());
    reached(total, total);
    return read;
}

} // namespace vorn
