// The right button over the image: the index of the pixel under the cursor becomes the current colour.
#pragma once

#include <cstdint>

// Right button down at (x, y), off the palette panel. Over the working view,
// a cell of the image in the grid, or the reference view, that pixel's own
// palette index becomes the current colour and "color N" is shown.
// Elsewhere nothing happens.
void PickImageColour(std::int32_t x, std::int32_t y);
