// Which palette entries serve as the editor's inks (screen_colours.h): its
// texts, lines and buttons stay readable on any palette, and the images are
// never changed to make room for them.
#pragma once

#include "canvas/palette_table.h"
#include "canvas/screen_colours.h"

// The inks for a palette. Black is its darkest entry and white its lightest
// (ties to the lower index), so a palette without black or white still gets
// the best pair it has. Red is the entry nearest to pure red and grey the one
// nearest to light grey, among those that read on black (contrast of at least
// kLeastInkContrast); white when none does. The built-in palette gives 0, 4, 7
// and 15.
ScreenInks InksFor(const PaletteColours& colours);

// WCAG's contrast ratio of two colours, 1 to 21.
double ContrastOf(const PaletteColour& a, const PaletteColour& b);
inline constexpr double kLeastInkContrast = 4.5;

// screenInks set for the palette in force; true when any ink changed, and the
// screen must be drawn anew in them.
bool ChooseScreenInks(const PaletteColours& colours);
