// Nearest swatch colours.
#include "pixtool/colour_match.h"

#include <cstddef>

namespace pixtool {

int SwatchIndexOf(PaletteColour colour, const PaletteColours& colours) {
  int best = 0;
  int bestDistance = -1;
  for (std::size_t i = 0; i < fixedColours.size(); ++i) {
    const int red = colour.red - colours[i].red;
    const int green = colour.green - colours[i].green;
    const int blue = colour.blue - colours[i].blue;
    const int distance = red * red + green * green + blue * blue;
    // "<=": of equal candidates the last one wins, so an exact match is the save's index.
    if (bestDistance < 0 || distance <= bestDistance) {
      best = static_cast<int>(i);
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace pixtool
