#include "render/scene_cells.h"

#include "render/view_frustum.h"

#include <algorithm>
#include <cmath>

namespace vorn {
namespace {

// A cell's column or row, biased to count from 0; far-off coordinates share the outermost cells.
std::uint64_t biasedCell(float mapCoordinate)
{
    constexpr double kOutermost = 1 << 30;
    const double cell = std::clamp(std::floor(static_cast<double>(mapCoordinate) / SceneCells::kSize), -kOutermost, kOutermost);
    return static_cast<std::uint64_t>(static_cast<std::int64_t>(cell) + (std::int64_t{1} << 31));
}

bool sameRun(const SceneRun& a, const SceneRun& b)
{
    return a.triangles.first == b.triangles.first && a.triangles.count == b.triangles.count &&
           a.lines.first == b.lines.first && a.lines.count == b.lines.count;
}

// Sorts the runs and merges those that touch or overlap.
void merge(std::vector<SceneSpan>& spans)
{
    std::ranges::sort(spans, {}, &SceneSpan::first);
    size_t kept = 0;
    for (const SceneSpan& span : spans) {
        if (span.count == 0) continue;
        if (kept > 0 && spans[kept - 1].first + spans[kept - 1].count >= span.first) {
            SceneSpan& last = spans[kept - 1];
            last.count = std::max(last.first + last.count, span.first + span.count) - last.first;
        } else {
            spans[kept++] = span;
        }
    }
    spans.resize(kept);
}

} // namespace

SceneCells::Key SceneCells::keyOf(const Bounds& mapBox)
{
    const float x = (mapBox.mins.x + mapBox.maxs.x) / 2;
    const float y = (mapBox.mins.y + mapBox.maxs.y) / 2;
    return biasedCell(y) << 32 | biasedCell(x);
}

void SceneCells::clear()
{
    cells_.clear();
    numbers_.clear();
}

std::uint32_t SceneCells::cell(Key key)
{
    const auto [at, made] = numbers_.try_emplace(key, static_cast<std::uint32_t>(cells_.size()));
    if (made) cells_.emplace_back();
    return at->second;
}

void SceneCells::setBuiltRun(std::uint32_t cell, SceneRun run)
{
    cells_[cell].built = run;
}

void SceneCells::addRun(std::uint32_t cell, SceneRun run)
{
    cells_[cell].added.push_back(run);
}

void SceneCells::dropRun(std::uint32_t cell, SceneRun run)
{
    std::vector<SceneRun>& added = cells_[cell].added;
    const auto found = std::ranges::find_if(added, [&](const SceneRun& r) { return sameRun(r, run); });
    if (found != added.end()) added.erase(found);
}

void SceneCells::include(std::uint32_t cell, const Bounds& sceneBox)
{
    Include(cells_[cell].bounds, sceneBox);
}

void SceneCells::collectVisible(const ViewFrustum& frustum, SceneRuns& out) const
{
    out.triangles.clear();
    out.lines.clear();
    for (const Cell& cell : cells_) {
        if (!cell.bounds || !frustum.mayShow(*cell.bounds)) continue;
        out.triangles.push_back(cell.built.triangles);
        out.lines.push_back(cell.built.lines);
        for (const SceneRun& run : cell.added) {
            out.triangles.push_back(run.triangles);
            out.lines.push_back(run.lines);
        }
    }
    merge(out.triangles);
    merge(out.lines);
}

} // namespace vorn
