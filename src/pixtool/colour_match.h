// Turning a colour into a palette-panel index the way the editor's save does.
#pragma once

#include "canvas/palette_table.h"

namespace pixtool {

// The swatch index (0 to 80) for a colour, the swatches showing entries 0 to
// 80 of colours, the palette in force. A colour that swatches show exactly
// gets the last of them, as in the editor's save (white is 80, never 15, in
// the built-in palette); any other colour gets the nearest swatch by distance
// in red, green and blue, the higher index on a tie.
int SwatchIndexOf(PaletteColour colour, const PaletteColours& colours);

inline bool SameColour(PaletteColour a, PaletteColour b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

}  // namespace pixtool
