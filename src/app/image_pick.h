// The right button over the image: the colour of the pixel under the cursor becomes the current colour.
#pragma once

#include <cstdint>

// Right button down at (x, y), off the palette panel. Over the working view,
// a grid cell or the reference view of the current size (in that order where
// large images overlap), that pixel's colour becomes the current colour as
// the save maps it (the highest swatch index showing it) and "color N" is
// shown; a colour no swatch shows keeps the current colour. Elsewhere nothing
// happens.
void PickImageColour(std::int32_t x, std::int32_t y);
