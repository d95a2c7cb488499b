// Erasing screen regions, blitting bitmap files, text and whole-surface fills.
#pragma once

#include <cstddef>

#include "../platform/display.h"
#include "../platform/platform_types.h"

// Erases a region (layout::ScreenRegion, codes 1 to 11) of the primary surface
// to black; any other code draws nothing.
void EraseRegion(int code);
// Blits the BMP file at (x, y) at its own size. 1 when copied, 0 otherwise (surface unchanged).
int DrawBitmapFile(plat::DrawSurface* surface, int x, int y, const char* fileName);
// Draws text with its top-left corner at (x, y), opaque on black. 0 when the
// surface gave no device context.
int DrawTextAt(const char* text, int x, int y, plat::COLORREF colour, plat::DrawSurface* surface);
// Fills the whole surface with a palette index.
void FillSurface(plat::DrawSurface* surface, int paletteIndex);

// The widest "%d" of a 32-bit value: "-2147483648".
constexpr int kNumberCells = 11;
// Pads the zero-terminated text in a buffer of size bytes with blanks up to
// cells characters. Text is drawn opaque, so the blanks clear what a longer
// value drawn earlier left in the field's cells.
void PadToCells(char* text, std::size_t size, int cells);
