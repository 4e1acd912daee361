#pragma once

namespace vorn {

// How a map file lays textures on faces: by the standard projection (shift, rotation, scale), or
// by explicit texture axes (the Valve 220 format, "[ ux uy uz offset ] [ vx vy vz offset ]").
enum class MapFormat {
    Standard,
    Valve220,
};

} // namespace vorn
