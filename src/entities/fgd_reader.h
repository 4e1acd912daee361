#pragma once

#include "entities/entity_definition.h"

#include <string_view>

namespace vorn {

// Reads an entity definition file in the FGD format: @PointClass and @SolidClass declarations,
// and @BaseClass ones they inherit from, each with its attributes (base, size, color, model), a
// description and a list of keys with their types, labels, defaults, help, choices and flags.
// A class inherits its bases in the order named, each overriding what the ones before gave, and
// its own declaration overrides them all; flags are merged by bit. The point and solid classes
// come out in file order.
DefinitionRead ReadFgd(std::string_view text);

} // namespace vorn
