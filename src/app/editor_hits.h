// The button bar (drawing and hit test), the palette pick of the main loop and the colour status.
#pragma once

#include <cstdint>

// Blits the seven bar buttons; Quad shows its on or off image.
void DrawButtonBar();
// Left button down at (x, y): sets pendingAction or toggles Quad once per press.
void HitButtonBar(std::int32_t x, std::int32_t y);
// The left button was seen up: the bar's next press acts again.
void RearmButtonBar();
// Right button down at (x, y) over the panel: picks the colour under it on the page shown and shows it.
void PickPaletteColour(std::int32_t x, std::int32_t y);
// "color N" for the current colour at (360, 572), as every pick shows it, and
// its value and name from the palette file ("#3399ff Sky") right of the tool.
void ShowColourStatus();
// The colour index of the pick band under (x, y) on the page shown, or -1
// between the rows and where the page has no entry.
int PaletteColourAt(std::int32_t x, std::int32_t y);
