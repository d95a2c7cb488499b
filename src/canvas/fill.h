// The fill: an area of one colour, or every pixel of that colour, painted
// with another.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas/image_change.h"
#include "canvas/shapes.h"

// Marks the pixels the fill from seed changes: the 4-connected area of the
// seed's colour (as shown: indices of one colour count as one), or with
// everywhere every pixel of the image in that colour. Nothing is marked
// when the seed lies outside the image or already shows colour. Returns the
// count marked; area gets one byte a pixel, 1 for marked.
int MarkFillArea(const IndexImage& image, ImageCell seed, int colour, bool everywhere,
                 std::vector<std::uint8_t>& area);

// The fill of the working image, as one step of the history, at the seed
// and at its mirrors as the drawing aids stand. False, with nothing changed
// and no step, when it would change nothing.
bool FillImage(ImageCell seed, int colour, bool everywhere);
