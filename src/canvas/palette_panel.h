// The 81 colour swatches at the right edge of the screen.
#pragma once

// Draws the swatches and the outline round colour 0; returns 0.
int DrawPalettePanel();
