#pragma once

#include "entities/entity_definition.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// One @...Class declaration of an FGD file as written, before its bases are applied.
struct FgdDeclaration {
    enum class Kind { Base, Point, Solid };
    Kind kind = Kind::Base;
    std::string name;
    int line = 0;
    std::vector<std::string> bases;
    struct Box {
        Vec3 mins;
        Vec3 maxs;
    };
    std::optional<Box> size;
    std::optional<Vec3> color; // 0 to 255
    std::optional<EntityModelReference> model;
    std::string description;
    std::vector<EntityProperty> properties; // "spawnflags" is not among them: see flags
    std::vector<EntityFlag> flags;
};

struct FgdDeclarations {
    std::vector<FgdDeclaration> declarations;
    std::optional<DefinitionProblem> problem; // reading stopped there
};

// The declarations of an FGD text up to its end or its first malformed one.
FgdDeclarations ReadFgdDeclarations(std::string_view text);

} // namespace vorn
