// Taking the display, building the palette and opening the input devices.
#pragma once

// Runs the start-up steps; 1 when all succeeded, 0 at the first failing one.
int InitDevices();
// The name of the step at which the last InitDevices stopped, or null after success.
const char* FailedInitStep();
// Releases every object of inputDevices and displayDevice that exists, in
// the shutdown order (keyboard, mouse, DirectInput, palette, back buffer,
// primary surface, display mode restored, DirectDraw), and empties the slots.
// Also used after a failed InitDevices, when only some objects exist.
void ReleaseDevices();

// Fills paletteTable: generated colours, the 81 fixed ones, black 0, white
// 255, with the working folder's Palette.gpl over entries 0, 1, 2, ... when it
// has one. A file that cannot be used is said on the standard error, and
// InitDevices shows why at the message place once the screen is up.
void BuildPaletteTable();
