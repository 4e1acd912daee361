#pragma once

#include "document/map_problems.h"

#include <span>

namespace vorn {

class Editor;

// Selects what the problem is about, its brush or its entity's brushes, and centres the 2D views
// on it; a leak centres them on where its path begins. False when it is no longer in the map.
bool ShowProblem(Editor& editor, const Problem& problem, std::span<const Vec3> leakPath);

} // namespace vorn
