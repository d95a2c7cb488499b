// Image pixels on the screen: the one paint step that writes a pixel into the
// grid and the working view, and the read of a pixel from the working view.
#pragma once

#include <cstdint>

#include "canvas/locked_screen.h"
#include "canvas/screen_layout.h"

// Paints image pixel (column, row) with the low byte of colour: the pen's
// block of the grid (the cell with the lines left of and above it) and the
// working-view pixel. What falls off the screen is dropped; the caller
// decides which pixels belong to the image.
void PaintImagePixel(const LockedScreen& screen, std::int64_t column, std::int64_t row, int colour);

// The paint step's two parts, for painting many pixels grid first: where
// the areas of an image larger than the screen's overlap, the working view,
// which Save reads, is written last, as Load writes it.
void PaintGridBlock(const LockedScreen& screen, std::int64_t column, std::int64_t row, int colour);
void PaintWorkingPixel(const LockedScreen& screen, std::int64_t column, std::int64_t row, int colour);

// The screen pixels of the grid block of (column, row) that lie on the
// screen; empty (left >= right or top >= bottom) when none does.
layout::ScreenRect GridBlockOnScreen(const LockedScreen& screen, std::int64_t column, std::int64_t row);

// The palette index the working view shows for image pixel (column, row),
// which lies on the screen; what Save would read there before matching it
// to a swatch.
std::uint8_t WorkingViewIndex(const LockedScreen& screen, int column, int row);
