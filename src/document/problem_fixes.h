#pragma once

#include "document/map_problems.h"

#include <span>

namespace vorn {

class CQMap;

// Whether the problem has a fix that can be applied without asking.
inline bool HasFix(const Problem& problem) { return problem.fix != ProblemFix::None; }

// Applies the fixes of the problems that have one as one undoable step, "Fix Problems": drops
// the keys, removes the duplicate brushes, then the empty brush entities. The problems must
// describe the map as it is now; what no longer matches it is passed over. Returns how many
// fixes were applied.
int FixProblems(CQMap& map, std::span<const Problem> problems);

} // namespace vorn
