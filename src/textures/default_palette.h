#pragma once

namespace vorn {

class CQPalette;
class CQPaletteMap;

// The palette used when no game palette is at hand: 16 ramps of 16 shades, dark to bright.
// Ramp 0 is grey, starting (0,0,0), (15,15,15), (31,31,31), (47,47,47); colour 254 is white
// and colour 255 is (159,91,83).
CQPalette DefaultPalette();

// Sends each index below 224 to the nearest colour of the palette that is brighter than its
// own; 224 to 255 (the colours that glow in the game) and the brightest colours stay.
CQPaletteMap BrighteningMap(const CQPalette& palette);

} // namespace vorn
