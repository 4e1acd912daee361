#pragma once

#include "entities/entity_definition.h"

#include <string_view>

namespace vorn {

// Reads the entity definitions written as comments in a game's source (the DEF format):
//   /*QUAKED name (r g b) (min x y z) (max x y z) FLAG0 FLAG1 ... help text */
// with a "?" in place of the two points for a brush class. Flag names stand for bits 0, 1, 2, ...
// in order. A { ... } block at the start of the help may name the model with model(...).
// Everything outside these comments is ignored.
DefinitionRead ReadDef(std::string_view text);

} // namespace vorn
