#include "document/problem_fixes.h"

#include "document/map_document.h"

#include <algorithm>
#include <functional>

namespace vorn {

int FixProblems(CQMap& map, std::span<const Problem> problems)
{
    MapChange change(map, "Fix Problems");
    int applied = 0;
    const auto isEntity = [&](int index) { return index >= 0 && index < map.EntityCount(); };
    for (const Problem& problem : problems) {
        if (problem.fix != ProblemFix::DropKey || !isEntity(problem.entity)) continue;
        std::vector<CQKeyValue> pairs = map.entity(problem.entity).pairs();
        if (std::erase_if(pairs, [&](const CQKeyValue& pair) { return pair.key == problem.key; }) == 0) continue;
        change.setPairs(problem.entity, std::move(pairs));
        ++applied;
    }
    for (const Problem& problem : problems) {
        if (problem.fix != ProblemFix::RemoveBrush) continue;
        const BrushLocation at = map.locate(problem.brush);
        if (!at.valid()) continue;
        change.removeBrush(at);
        ++applied;
    }
    // From the last, so that the places of those still to go stay as they were.
    std::vector<int> entities;
    for (const Problem& problem : problems) {
        if (problem.fix == ProblemFix::RemoveEntity && isEntity(problem.entity) && !map.entity(problem.entity).isWorld()) {
            entities.push_back(problem.entity);
        }
    }
    std::ranges::sort(entities, std::greater<>());
    entities.erase(std::unique(entities.begin(), entities.end()), entities.end());
    for (const int index : entities) change.removeEntity(index);
    applied += static_cast<int>(entities.size());
    change.commit();
    return applied;
}

} // namespace vorn
