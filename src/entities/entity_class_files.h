#pragma once

#include "entities/entity_class.h"

#include <optional>
#include <string_view>
#include <vector>

namespace vorn {

// The classes of one file and where it went wrong; the classes before the problem are kept.
struct ClassFileRead {
    std::vector<EntityClass> classes;
    std::optional<DefinitionProblem> problem;
};

// The classes of a file's text, its kind told by the extension of its path: ".fgd" and ".def"
// (in any case) are definition files, anything else an entity list.
ClassFileRead ReadClassFile(std::string_view path, std::string_view text);

} // namespace vorn
