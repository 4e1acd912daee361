#pragma once

#include "geometry/brush.h"
#include "map/entity.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vorn {

class EntityClassList;

// The kinds of problem the check finds; each has a stable id that names it in the Problems panel,
// in the hidden ids kept for a map and in `vornc check`.
enum class ProblemKind {
    NoPlayerStart,
    SeveralPlayerStarts,
    TargetMissing,
    TargetnameUnused,
    EmptyBrushEntity,
    PointEntityWithBrushes,
    UnknownClass,
    EntityStuck,
    EntityInVoid,
    UnbuiltBrush,
    DuplicateBrush,
    MissingTexture,
    ValueNotAChoice,
    BeyondLimits,
    Leak,
};

std::string_view ProblemId(ProblemKind kind);
// What the panel heads a group of that kind with.
std::string_view ProblemTitle(ProblemKind kind);
// Whether the kind only informs: it is listed but not counted as a problem.
bool IsInformation(ProblemKind kind);

// The one change that sets a problem right, when there is an obvious one.
enum class ProblemFix {
    None,
    RemoveBrush,  // the duplicate
    RemoveEntity, // the brush entity without brushes
    DropKey,      // the key whose value is not one of its choices
};

// One problem: what it is, a line for the user, and what it is about (an entity by its index, a
// brush by its id), with the fix it has.
struct Problem {
    Problem() = default;
    Problem(ProblemKind kind, std::string message, int entity = -1, BrushId brush = 0, ProblemFix fix = ProblemFix::None,
            std::string key = {})
        : kind(kind), message(std::move(message)), entity(entity), brush(brush), fix(fix), key(std::move(key)) {}

    ProblemKind kind{};
    std::string message;
    int entity = -1;
    BrushId brush = 0;
    ProblemFix fix = ProblemFix::None;
    std::string key; // the key DropKey drops, quoted as stored
};

// Brushes and entities beyond this distance from the origin along any axis are out of bounds.
inline constexpr float kMapLimit = 65536;

// What the check needs besides the entities: the classes, and the texture names the map's
// archives hold in lower case (none: no archive could be read, so textures are not checked).
struct CheckContext {
    const EntityClassList& classes;
    const std::unordered_set<std::string>* textures = nullptr;
};

// Every problem of the map's entities, in kind order then map order.
std::vector<Problem> CheckMap(std::span<const std::unique_ptr<CQEntity>> entities, const CheckContext& context);

// The lower-case names of the textures, for CheckContext.
std::unordered_set<std::string> LowerCaseNames(const std::vector<std::string>& names);

// The problems that count, information excluded.
int CountProblems(std::span<const Problem> problems);

} // namespace vorn
