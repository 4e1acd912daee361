#pragma once

#include "geometry/vec3.h"

#include <optional>
#include <string_view>

namespace vorn {

// What reading a map needs of the entity classes: the box of a class whose entities have a fixed
// size (lights, monsters, items).
class FixedBoxes {
public:
    struct Box {
        Vec3 mins;
        Vec3 maxs;
    };
    // None for a class of brush entities or a name that is not known.
    virtual std::optional<Box> fixedBox(std::string_view className) const = 0;

protected:
    ~FixedBoxes() = default;
};

} // namespace vorn
