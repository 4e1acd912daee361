#pragma once

#include "geometry/vec3.h"

#include <optional>
#include <string>
#include <vector>

namespace vorn {

// One value a "choices" key may take, with the label shown for it.
struct EntityChoice {
    std::string value;
    std::string label;
    friend bool operator==(const EntityChoice&, const EntityChoice&) = default;
};

// A key a definition file documents for a class: its type as written in lower case ("integer",
// "choices", "target_source", ...; a type the editor does not know is edited as text), its
// label, its default, its help and, for choices, the values it may take.
struct EntityProperty {
    std::string key;
    std::string type;
    std::string label;
    std::string defaultValue;
    std::string help;
    std::vector<EntityChoice> choices;
};

// A named spawnflag: bit n has the value 1 << n.
struct EntityFlag {
    int bit = 0;
    std::string label;
    bool onByDefault = false;
    std::string help;
    friend bool operator==(const EntityFlag&, const EntityFlag&) = default;
};

// The model a class is shown as: a path into the game's files when the definition names one
// plainly, and the definition's text as written either way.
struct EntityModelReference {
    std::string path;
    std::string text;
};

// Everything a definition file says of one class.
struct EntityDefinition {
    std::string name;
    Vec3 color;             // red, green, blue from 0 to 1
    bool fixedSize = false; // a point class, with its box
    Vec3 mins;
    Vec3 maxs;
    std::vector<EntityFlag> flags; // by bit
    std::vector<std::string> help; // lines
    // Whether the file lists the class's keys with their types; the entity list format does not.
    bool typed = false;
    std::vector<EntityProperty> properties;
    EntityModelReference model;
};

// Where a definition file stops making sense: its line and what is wrong there.
struct DefinitionProblem {
    int line = 0;
    std::string text;
};

// The classes of one definition file and its first problem. A file that goes wrong keeps the
// classes before the problem.
struct DefinitionRead {
    std::vector<EntityDefinition> classes;
    std::optional<DefinitionProblem> problem;
};

} // namespace vorn
