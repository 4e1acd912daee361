#include "document/problem_checks.h"

#include "map/ignoring_case.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>

namespace vorn {
namespace {

// A brush's planes, rounded well below what a map file can tell apart, in a fixed order: two
// brushes with the same key are the same solid.
using PlaneKey = std::array<std::int64_t, 4>;

std::vector<PlaneKey> PlanesOf(const CQBrush& brush)
{
    std::vector<PlaneKey> planes;
    planes.reserve(static_cast<size_t>(brush.numfaces()));
    for (const CQFace& face : brush.faces()) {
        const Vec3 n = face.plane.normal;
        const auto round = [](float v, float scale) { return static_cast<std::int64_t>(std::llround(v * scale)); };
        planes.push_back({round(n.x, 1e4f), round(n.y, 1e4f), round(n.z, 1e4f), round(face.plane.dist, 1e2f)});
    }
    std::sort(planes.begin(), planes.end());
    planes.erase(std::unique(planes.begin(), planes.end()), planes.end());
    return planes;
}

// The textures of the brush's faces that no archive holds, each once, quoted.
std::string MissingTextures(const CQBrush& brush, const std::unordered_set<std::string>& textures)
{
    std::vector<std::string_view> missing;
    for (const CQFace& face : brush.faces()) {
        if (std::ranges::find(missing, face.texture.view()) != missing.end() || textures.contains(LowerCase(face.texture))) continue;
        missing.push_back(face.texture);
    }
    std::string list;
    for (const std::string_view name : missing) list += (list.empty() ? "\"" : ", \"") + std::string(name) + "\"";
    return list;
}

} // namespace

std::string LowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) c = LowerAscii(c);
    return lower;
}

void CheckBrushes(Entities entities, const std::unordered_set<std::string>* textures, Problems& out)
{
    std::map<std::vector<PlaneKey>, std::string> seen; // the planes of each brush, to the name of its first
    for (int i = 0; i < static_cast<int>(entities.size()); ++i) {
        const CQEntity& entity = *entities[static_cast<size_t>(i)];
        for (const UnbuiltBrush& unbuilt : entity.unbuiltBrushes()) {
            out.push_back({ProblemKind::UnbuiltBrush,
                           "the brush at line " + std::to_string(unbuilt.line) + " of " + (entity.isWorld() ? std::string("the world") : EntityName(entity, i)) +
                               " is not a solid; it is kept as it was read",
                           i});
        }
        if (!entity.isModifiable()) continue;
        for (int b = 0; b < entity.brushCount(); ++b) {
            const CQBrush& brush = entity.brush(b);
            if (!brush.IsValid()) {
                out.push_back({ProblemKind::UnbuiltBrush, BrushName(entity, i, b) + " is not a solid", i, brush.id()});
                continue;
            }
            const auto [first, isNew] = seen.try_emplace(PlanesOf(brush), BrushName(entity, i, b));
            if (!isNew) {
                out.push_back({ProblemKind::DuplicateBrush, BrushName(entity, i, b) + " has the same planes as " + first->second, i,
                               brush.id(), ProblemFix::RemoveBrush});
            }
            if (!textures) continue;
            if (const std::string missing = MissingTextures(brush, *textures); !missing.empty()) {
                out.push_back({ProblemKind::MissingTexture, BrushName(entity, i, b) + " uses " + missing + ", which no archive of the map holds", i,
                               brush.id()});
            }
        }
    }
}

void CheckLimits(Entities entities, Problems& out)
{
    const auto beyond = [](const Bounds& box) {
        for (int axis = 0; axis < 3; ++axis) {
            if (box.mins[axis] < -kMapLimit || box.maxs[axis] > kMapLimit) return true;
        }
        return false;
    };
    const std::string limit = " reaches beyond " + std::to_string(static_cast<int>(kMapLimit)) + " units from the origin";
    for (int i = 0; i < static_cast<int>(entities.size()); ++i) {
        const CQEntity& entity = *entities[static_cast<size_t>(i)];
        if (!entity.isModifiable()) {
            const Vec3 origin = ParseVector(entity.GetValue(kOriginKey));
            if (beyond({origin, origin})) out.push_back({ProblemKind::BeyondLimits, EntityName(entity, i) + " at " + PointText(origin) + limit, i});
            continue;
        }
        for (int b = 0; b < entity.brushCount(); ++b) {
            const CQBrush& brush = entity.brush(b);
            if (brush.IsValid() && beyond(brush.bounds())) out.push_back({ProblemKind::BeyondLimits, BrushName(entity, i, b) + limit, i, brush.id()});
        }
    }
}

} // namespace vorn
