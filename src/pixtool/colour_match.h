// Turning a colour into a palette-panel index the way the editor's save does.
#pragma once

#include "canvas/fixed_colours.h"

namespace pixtool {

// The swatch index (0 to 80) for a colour. A colour that swatches show exactly
// gets the last of them, as in the editor's save (white is 80, never 15); any
// other colour gets the nearest swatch by distance in red, green and blue, the
// higher index on a tie.
int SwatchIndexOf(PaletteColour colour);

inline bool SameColour(PaletteColour a, PaletteColour b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

}  // namespace pixtool
