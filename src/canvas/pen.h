// Painting image pixels into the grid and the working view.
#pragma once

#include <cstddef>
#include <cstdint>

// Stores the low byte of value at (x, y) of locked surface memory. The caller
// holds the lock and keeps (x, y) on the screen. Inline: the palette panel
// makes 16,200 of these stores on every pass.
inline void PutLockedPixel(int x, int y, int value, std::uint8_t* memory, int pitch) {
  memory[x + static_cast<std::ptrdiff_t>(y) * pitch] = static_cast<std::uint8_t>(value);
}
// Single pen at the cursor; returns 0.
int PaintPen(int colour);
// 2 x 2 pen with the cursor's pixel at its top left; returns 0.
int PaintQuadPen(int colour);
