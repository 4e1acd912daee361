#pragma once

#include "entities/entity_definition.h"

#include <string_view>

namespace vorn {

// What a definition's model(...) says, given the text between its parentheses: a quoted path,
// or an object whose "path" is one, names the model; a leading ":" (the game folder's root) is
// dropped. Any other form (a choice by the entity's keys, say) is kept as text only.
EntityModelReference ParseModelReference(std::string_view text);

} // namespace vorn
