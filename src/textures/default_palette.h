#pragma once

namespace vorn {

class CQPalette;

// The palette used when no game palette is at hand: 16 ramps of 16 shades, dark to bright.
// Ramp 0 is grey, starting (0,0,0), (15,15,15), (31,31,31), (47,47,47); colour 254 is white
// and colour 255 is (159,91,83).
CQPalette DefaultPalette();

} // namespace vorn
