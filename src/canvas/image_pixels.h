// Image pixels on the screen: the one paint step that writes a pixel into the
// grid and the working view, and the read of a pixel from the working view.
#pragma once

#include <cstdint>

#include "canvas/locked_screen.h"

// Paints image pixel (column, row) with the low byte of colour: the pen's
// block of the grid (the cell with the lines left of and above it) and the
// working-view pixel. What falls off the screen is dropped; the caller
// decides which pixels belong to the image.
void PaintImagePixel(const LockedScreen& screen, std::int64_t column, std::int64_t row, int colour);

// The palette index the working view shows for image pixel (column, row),
// which lies on the screen; what Save would read there before matching it
// to a swatch.
std::uint8_t WorkingViewIndex(const LockedScreen& screen, int column, int row);
