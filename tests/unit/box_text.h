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

} // namespace vorn::test
