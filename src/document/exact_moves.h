#pragma once

#include "geometry/vec3.h"

namespace vorn {

class CQBrush;

// Whether the brush, moved by `offset` (without texture lock), comes back exactly as it is now when
// moved by `back` - `offset` again (`back` is what takes it back to where it came from already, 0
// before it has moved). So it does when every corner and the offsets are whole units well inside
// the range single precision holds exactly, the plane points are fine binary fractions, and, when
// `planesToo`, each face's plane is the one its points give, as a move finds it again.
bool MovesBackExactly(const CQBrush& brush, Vec3 offset, Vec3 back, bool planesToo);

} // namespace vorn
