#pragma once

namespace vorn::test {

// The brush block of the box (0, 0, 0)-(64, 64, 64) as a map file holds it.
inline constexpr const char* kBoxBlock = "{\n"
                                         "( 0 0 64 ) ( 0 64 64 ) ( 64 64 64 ) WALL 0 0 0 1.000000 1.000000\n"
                                         "( 0 0 0 ) ( 64 0 0 ) ( 64 64 0 ) WALL 0 0 0 1.000000 1.000000\n"
                                         "( 0 0 0 ) ( 0 64 0 ) ( 0 64 64 ) WALL 0 0 0 1.000000 1.000000\n"
                                         "( 64 0 0 ) ( 64 0 64 ) ( 64 64 64 ) WALL 0 0 0 1.000000 1.000000\n"
                                         "( 0 0 0 ) ( 0 0 64 ) ( 64 0 64 ) WALL 0 0 0 1.000000 1.000000\n"
                                         "( 0 64 0 ) ( 64 64 0 ) ( 64 64 64 ) WALL 0 0 0 1.000000 1.000000\n"
                                         "}\n";

// The same box in the Valve 220 format, its textures laid along axes of all kinds: turned,
// stretched, mirrored, off the face's axis plane, with fractional offsets.
inline constexpr const char* kValveBoxBlock =
    "{\n"
    "( 0 0 64 ) ( 0 64 64 ) ( 64 64 64 ) WALL [ 0.8660254037844387 0.5 0 12.5 ] [ 0.5 -0.8660254037844387 0 -3 ] 30 1 1\n"
    "( 0 0 0 ) ( 64 0 0 ) ( 64 64 0 ) WALL [ 1 0 0 0 ] [ 0 -1 0 0 ] 0 0.5 2\n"
    "( 0 0 0 ) ( 0 64 0 ) ( 0 64 64 ) WALL [ 0 1 0 0.25 ] [ 0 0 -1 0 ] 0 1 1\n"
    "( 64 0 0 ) ( 64 0 64 ) ( 64 64 64 ) WALL [ 0 1 0 0 ] [ 0 0 -1 16 ] 0 1 1\n"
    "( 0 0 0 ) ( 0 0 64 ) ( 64 0 64 ) WALL [ 1 0 0 0 ] [ 0 0 -1 0 ] 0 -1 1\n"
    "( 0 64 0 ) ( 64 64 0 ) ( 64 64 64 ) WALL [ 1 0 0 0 ] [ 0 0.7071067811865476 -0.7071067811865476 5 ] 0 1 1\n"
    "}\n";

} // namespace vorn::test
