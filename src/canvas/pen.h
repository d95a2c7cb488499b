// The single and quad pens: the pixels a stroke paints into the working image.
#pragma once

#include <cstddef>
#include <cstdint>

#include "canvas/shapes.h"

// Stores the low byte of value at (x, y) of locked surface memory. The caller
// holds the lock and keeps (x, y) on the screen. Inline: the palette panel
// makes 16,200 of these stores on every pass.
inline void PutLockedPixel(int x, int y, int value, std::uint8_t* memory, int pitch) {
  memory[x + static_cast<std::ptrdiff_t>(y) * pitch] = static_cast<std::uint8_t>(value);
}

// The image pixel under a screen position, as the grid maps it (see
// GridCellAt).
ImageCell CellAtCursor(std::int32_t x, std::int32_t y);
// True when the pixel lies within the image's current width and height.
bool InImage(ImageCell cell);
// True when it lies within the image and the grid shows it: the pen paints
// only what the artist sees.
bool InShownImage(ImageCell cell);

// The pixels one pass of a stroke paints: the one-pixel line from the
// previous pass's pixel to this pass's (the quad pen's 2 x 2 block at each of
// its pixels, the pixel at its top left), only those within the image and
// shown in the grid, with their mirrors. A
// slow stroke moves a pixel a pass, and the line is just its two ends.
void AppendPenCells(ImageCell from, ImageCell to, bool quad, CellList& cells);
// The cells shown by the pen with their mirrors as the drawing aids stand,
// those the image holds and the selection lets paint.
void AppendPaintedMirrors(const CellList& shown, CellList& cells);
// Paints the pixels into the working image.
void PaintCells(const CellList& cells, int colour);

// Single pen at the cursor, within the image; returns 0.
int PaintPen(int colour);
// 2 x 2 pen with the cursor's pixel at its top left, cut at the image's
// edge; returns 0.
int PaintQuadPen(int colour);
