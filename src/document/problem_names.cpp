#include "document/problem_checks.h"

#include <cmath>

namespace vorn {
std::string PointText(Vec3 p)
{
    const auto whole = [](float v) { return std::to_string(std::lround(v)); };
    return "(" + whole(p.x) + " " + whole(p.y) + " " + whole(p.z) + ")";
}

std::string EntityName(const CQEntity& entity, int index)
{
    std::string name = entity.className();
    if (name.empty()) name = "an entity without a class";
    const std::string_view targetname = entity.GetValue("\"targetname\"");
    if (!targetname.empty()) return name + " \"" + std::string(Unquoted(targetname)) + "\"";
    if (entity.fileLine() > 0) return name + " at line " + std::to_string(entity.fileLine());
    return name + " (entity " + std::to_string(index) + ")";
}

std::string BrushName(const CQEntity& entity, int entityIndex, int brushIndex)
{
    const std::string owner = entity.isWorld() ? "the world" : EntityName(entity, entityIndex);
    return "brush " + std::to_string(brushIndex + 1) + " of " + owner + " at " + PointText(entity.brush(brushIndex).Centre());
}

} // namespace vorn
