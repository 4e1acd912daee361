#pragma once

#include "document/map_document.h"
#include "document/selection_edits.h"
#include "geometry/brush.h"
#include "platform/debug_output.h"

#include <string>

namespace vorn::test {

// Adds a box to the current entity (making the world in an empty map), selected, as a drag in
// the XY view does: one undoable step.
inline void AddBox(CQMap& map, Vec3 mins, Vec3 maxs)
{
    NullDebugOutput log;
    CQBrush box;
    box.MakeBox(mins, maxs, "WALL", log);
    AddNewBrush(map, box);
}

// The map as its file would hold it, without the dated header.
inline std::string EntitiesText(const CQMap& map)
{
    const std::string text = map.WriteMapText("map.map", {});
    return text.substr(text.find("\n{") + 1);
}

} // namespace vorn::test
