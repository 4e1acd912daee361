#pragma once

#include <string_view>

namespace vorn {

class CQEntity;
class DebugOutput;
class Host;

// The round Make-into generators, on brush `brushIndex` of the entity (B), sized from B's bounds.
// Like the straight ones they return true when they changed the entity and leave everything as
// it was otherwise.

// Two legs up to B's middle height and `pieces` - 2 bricks in a half ring above them, each
// `thickness` thick; the arch faces North/South (0) or East/West (1). B is replaced. Any other
// direction is refused with a message.
bool MakeArch(CQEntity& entity, int brushIndex, int direction, int thickness, int pieces, std::string_view texture,
              Host& host);

// Reshapes B into a prism with `sides` sides around the axis Up/Down (0), North/South (1) or
// East/West (2), touching B's box in the middle of each flat side. B keeps its place and selection.
bool MakeCylinder(CQEntity& entity, int brushIndex, int direction, int sides, std::string_view texture,
                  DebugOutput& log);

// The cylinder's sides made into walls `thickness` thick: an open tube of `sides` brushes
// replacing B.
bool MakeTube(CQEntity& entity, int brushIndex, int direction, int sides, int thickness, std::string_view texture,
              DebugOutput& log);

// Reshapes B into a pyramid with `sides` sides on one face of B's box, its apex in the middle of
// the opposite face, pointing Up (0), North, East, Down, South or West (5). Any other direction
// is refused with a message.
bool MakeSpike(CQEntity& entity, int brushIndex, int direction, int sides, std::string_view texture, Host& host);

} // namespace vorn
