// The 81 colour swatches at the right edge of the screen.
#pragma once

// Draws the swatches and the outline round colour 0; returns 0.
int DrawPalettePanel();
// Screen position at which a swatch is sampled when saving.
inline int SwatchSampleX(int column) {
  return 695 + 35 * column;
}
inline int SwatchSampleY(int row) {
  return 10 + 16 * row;
}
