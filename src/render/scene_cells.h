#pragma once

#include "geometry/bounds.h"
#include "render/scene_span.h"

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace vorn {

class ViewFrustum;

// The triangle and line indices of a brush, or of the brushes a cell was built with.
struct SceneRun {
    SceneSpan triangles;
    SceneSpan lines;
};

// The index runs to draw, in order, with runs that touch merged.
struct SceneRuns {
    std::vector<SceneSpan> triangles;
    std::vector<SceneSpan> lines;
};

// The scene split into squares of the map's XY plane, so that the camera draws only the squares
// it can see. A cell holds the run its brushes were built in, the runs of brushes that came to
// it later, and the bounds in scene space of all they held since it was built (they only grow:
// a cell may be drawn for nothing, never left out).
class SceneCells {
public:
    static constexpr float kSize = 1024;
    using Key = std::uint64_t;

    // The cell of the middle of a box in map space; keys sort row by row, west to east.
    static Key keyOf(const Bounds& mapBox);

    void clear();
    // The cell's number, made on first use.
    std::uint32_t cell(Key key);
    void setBuiltRun(std::uint32_t cell, SceneRun run);
    // A brush that came to the cell after it was built.
    void addRun(std::uint32_t cell, SceneRun run);
    // The brush added with that run left the cell.
    void dropRun(std::uint32_t cell, SceneRun run);
    // The cell now holds (also) what lies in this scene box.
    void include(std::uint32_t cell, const Bounds& sceneBox);

    // The runs of the cells that may show in the frustum, in index order, runs that touch merged.
    void collectVisible(const ViewFrustum& frustum, SceneRuns& out) const;

private:
    struct Cell {
        std::optional<Bounds> bounds; // none while it holds nothing to draw
        SceneRun built;
        std::vector<SceneRun> added;
    };

    std::vector<Cell> cells_;
    std::unordered_map<Key, std::uint32_t> numbers_;
};

} // namespace vorn
