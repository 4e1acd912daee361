#include "document/problem_checks.h"

#include "entities/entity_class.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <unordered_set>

namespace vorn {
namespace {

constexpr std::string_view kTargetKeys[] = {"\"target\"", "\"killtarget\""};
constexpr std::string_view kTargetnameKey = "\"targetname\"";
// Editors keep their groups and layers as brush entities that may well be empty. A brush entity
// with a name and no brushes is fired by name (a counter, a relay): it does its job.
constexpr std::string_view kGroupClass = "func_group";
// How deep a point entity's origin must be in a wall to count as stuck. Only the origin counts:
// torches, flames, crucified monsters and the like are placed partly in walls on purpose, and
// the game lifts teleport destinations and starts off the floor.
constexpr float kStuckTolerance = 1;

std::string Value(const CQEntity& entity, std::string_view key)
{
    return std::string(Unquoted(entity.GetValue(key)));
}

std::optional<double> Number(std::string_view text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// A choice "1" is also written "1.0" or "01".
bool SameChoice(std::string_view value, std::string_view choice)
{
    if (value == choice) return true;
    const auto a = Number(value);
    const auto b = Number(choice);
    return a && b && *a == *b;
}

// Whether the point lies inside the brush deeper than the tolerance. The brush's middle tells
// which side of each plane is inside.
bool DeepInside(Vec3 point, const CQBrush& brush)
{
    for (int axis = 0; axis < 3; ++axis) {
        if (point[axis] <= brush.mins()[axis] + kStuckTolerance || point[axis] >= brush.maxs()[axis] - kStuckTolerance) return false;
    }
    const Vec3 middle = brush.Centre();
    for (const CQFace& face : brush.faces()) {
        if (!face.winding) continue;
        const float inward = face.plane.distanceTo(middle) < 0 ? -1.0f : 1.0f;
        if (inward * face.plane.distanceTo(point) <= kStuckTolerance) return false;
    }
    return true;
}

// Liquids, and the compile tools' textures that make no wall (hints, skip, clip, triggers),
// fill brushes entities may well be in.
bool MakesNoWall(std::string_view texture)
{
    const std::string name = LowerCase(texture);
    return name.starts_with('*') || name.starts_with("hint") || name == "skip" || name == "clip" || name == "trigger" || name == "origin";
}

bool IsSolid(const CQBrush& brush)
{
    return brush.IsValid() && !std::ranges::all_of(brush.faces(), [](const CQFace& face) { return MakesNoWall(face.texture); });
}

// Sounds play from their point wherever it is.
bool MayBeInAWall(const CQEntity& entity)
{
    return entity.className().starts_with("ambient_");
}

// Where a point entity is: its "origin", not the middle of its box, which lies off it for most
// classes.
Vec3 PlaceOf(const CQEntity& entity)
{
    const std::string_view stored = entity.GetValue(kOriginKey);
    return stored.empty() ? entity.GetOrigin() : ParseVector(stored);
}

} // namespace

void CheckPlayerStarts(Entities entities, Problems& out)
{
    std::vector<int> starts;
    bool deathmatch = false;
    for (int i = 0; i < static_cast<int>(entities.size()); ++i) {
        const std::string name = entities[static_cast<size_t>(i)]->className();
        if (name == "info_player_start") starts.push_back(i);
        deathmatch = deathmatch || name == "info_player_deathmatch";
    }
    if (starts.empty()) {
        out.push_back({ProblemKind::NoPlayerStart, "the map has no info_player_start: the player has nowhere to begin"});
    } else if (starts.size() > 1 && !deathmatch) {
        for (const int i : starts) {
            out.push_back({ProblemKind::SeveralPlayerStarts,
                           EntityName(*entities[static_cast<size_t>(i)], i) + " is one of " + std::to_string(starts.size()) +
                               " player starts in a single-player map; the game uses only one",
                           i});
        }
    }
}

void CheckTargets(Entities entities, Problems& out)
{
    std::unordered_set<std::string> named;
    std::unordered_set<std::string> targeted;
    for (const auto& entity : entities) {
        if (const std::string name = Value(*entity, kTargetnameKey); !name.empty()) named.insert(name);
        for (const std::string_view key : kTargetKeys) {
            if (const std::string target = Value(*entity, key); !target.empty()) targeted.insert(target);
        }
    }
    for (int i = 0; i < static_cast<int>(entities.size()); ++i) {
        const CQEntity& entity = *entities[static_cast<size_t>(i)];
        for (const std::string_view key : kTargetKeys) {
            const std::string target = Value(entity, key);
            if (target.empty() || named.contains(target)) continue;
            out.push_back({ProblemKind::TargetMissing,
                           EntityName(entity, i) + " has " + std::string(key) + " \"" + target + "\", which no entity has as its \"targetname\"",
                           i});
        }
        const std::string name = Value(entity, kTargetnameKey);
        if (!name.empty() && !targeted.contains(name)) {
            out.push_back({ProblemKind::TargetnameUnused, EntityName(entity, i) + " is not the target of any entity", i});
        }
    }
}

void CheckClasses(Entities entities, const EntityClassList& classes, Problems& out)
{
    for (int i = 0; i < static_cast<int>(entities.size()); ++i) {
        const CQEntity& entity = *entities[static_cast<size_t>(i)];
        if (entity.isWorld()) continue;
        const std::string name = entity.className();
        const EntityClass& entityClass = classes.find(name);
        if (!entityClass.isValid()) {
            out.push_back({ProblemKind::UnknownClass, EntityName(entity, i) + ": the entity list has no class \"" + name + "\"", i});
        } else if (entityClass.isFixedSize() && entity.isModifiable() && entity.brushCount() > 0) {
            out.push_back({ProblemKind::PointEntityWithBrushes,
                           EntityName(entity, i) + " is a point entity but has brushes of its own",
                           i});
        } else if (!entityClass.isFixedSize() && entity.BrushCountForFile() == 0 && name != kGroupClass &&
                   entity.GetValue(kTargetnameKey).empty()) {
            out.push_back({ProblemKind::EmptyBrushEntity, EntityName(entity, i) + " is a brush entity without brushes", i, 0,
                           ProblemFix::RemoveEntity});
        }
    }
}

void CheckPlacement(Entities entities, Problems& out)
{
    std::vector<const CQBrush*> solids;
    std::optional<Bounds> world;
    for (const auto& entity : entities) {
        if (!entity->isWorld()) continue;
        for (const CQBrush& brush : entity->brushes()) {
            if (!IsSolid(brush)) continue;
            solids.push_back(&brush);
            Include(world, brush.bounds());
        }
    }
    if (!world) return;
    for (int i = 0; i < static_cast<int>(entities.size()); ++i) {
        const CQEntity& entity = *entities[static_cast<size_t>(i)];
        if (entity.isModifiable() || MayBeInAWall(entity)) continue; // only point entities
        const Vec3 origin = PlaceOf(entity);
        bool inside = true;
        for (int axis = 0; axis < 3; ++axis) inside = inside && origin[axis] >= world->mins[axis] && origin[axis] <= world->maxs[axis];
        if (!inside) {
            out.push_back({ProblemKind::EntityInVoid, EntityName(entity, i) + " at " + PointText(origin) + " is outside every brush of the world", i});
            continue;
        }
        for (const CQBrush* solid : solids) {
            if (!DeepInside(origin, *solid)) continue;
            out.push_back({ProblemKind::EntityStuck,
                           EntityName(entity, i) + " at " + PointText(origin) + " is stuck in the world brush at " + PointText(solid->Centre()),
                           i});
            break;
        }
    }
}

void CheckChoices(Entities entities, const EntityClassList& classes, Problems& out)
{
    for (int i = 0; i < static_cast<int>(entities.size()); ++i) {
        const CQEntity& entity = *entities[static_cast<size_t>(i)];
        const EntityClass& entityClass = classes.find(entity.className());
        if (!entityClass.isValid() || !entityClass.definesKeys()) continue;
        for (const EntityProperty& property : entityClass.properties()) {
            if (property.choices.empty()) continue;
            const std::string key = Quoted(property.key);
            const std::string_view stored = entity.GetValue(key);
            const std::string_view value = Unquoted(stored);
            if (value.empty()) continue; // the game takes its default
            const bool listed = std::ranges::any_of(property.choices, [&](const EntityChoice& choice) { return SameChoice(value, choice.value); });
            if (listed) continue;
            out.push_back({ProblemKind::ValueNotAChoice,
                           EntityName(entity, i) + " has " + key + " \"" + std::string(value) + "\", which is not one of its choices", i,
                           0, ProblemFix::DropKey, key});
        }
    }
}

} // namespace vorn
