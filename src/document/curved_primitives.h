#pragma once

#include "document/primitives.h"

#include <optional>
#include <string_view>

namespace vorn {

class DebugOutput;

// The round Make-into generators, sized from B's bounds. Like the straight ones they return
// nothing when they cannot carry out the request.

// Two legs up to B's middle height and `pieces` - 2 bricks in a half ring above them, each
// `thickness` thick; the arch faces North/South (0) or East/West (1).
std::optional<Replacement> MakeArch(const CQBrush& b, int direction, int thickness, int pieces, std::string_view texture,
                                    DebugOutput& log);

// B reshaped into a prism with `sides` sides around the axis Up/Down (0), North/South (1) or
// East/West (2), touching B's box in the middle of each flat side; it keeps B's place.
std::optional<Replacement> MakeCylinder(const CQBrush& b, int direction, int sides, std::string_view texture,
                                        DebugOutput& log);

// The cylinder's sides made into walls `thickness` thick: an open tube of `sides` brushes
// replacing B; thickness 0 makes the cylinder itself.
std::optional<Replacement> MakeTube(const CQBrush& b, int direction, int sides, int thickness, std::string_view texture,
                                    DebugOutput& log);

// B reshaped into a pyramid with `sides` sides on one face of B's box, its apex in the middle of
// the opposite face, pointing Up (0), North, East, Down, South or West (5); it keeps B's place.
std::optional<Replacement> MakeSpike(const CQBrush& b, int direction, int sides, std::string_view texture,
                                     DebugOutput& log);

} // namespace vorn
