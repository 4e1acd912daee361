#pragma once

#include "map/entity_block.h"
#include "map/map_file.h"
#include "platform/parallel_jobs.h"

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

namespace vorn {

struct BlocksRead {
    // Every block up to the first that ends the reading for sure (one not read whole, or one with
    // nothing in it), its brushes built and their findings in its sources.
    std::vector<EntityBlock> blocks;
    // What building each brush wrote, by its number in the map, when the lines are kept.
    OrderedLog log;
};

// How far the reading has come: `done` of `total`. Told on the calling thread only.
using ReadingReached = std::function<void(size_t done, size_t total)>;

// Reads the entity blocks of a map's text and builds their brushes. The blocks are passed over
// first; then their brushes are built in place on the machine's cores, a run of them at a time,
// and the text of each run is given up once it is built.
BlocksRead ReadBlocksAndBrushes(std::string_view text, bool keepLines, const ReadingReached& reached,
                                const TextRelease& release);

} // namespace vorn
