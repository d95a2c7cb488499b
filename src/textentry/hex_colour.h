// A colour typed as six hex digits, rrggbb, as palette sites write them.
#pragma once

#include <string>

#include "canvas/fixed_colours.h"

enum class HexColourText {
  Taken,     // six hex digits
  Empty,     // nothing typed: the colour stays
  TooShort,  // fewer than six
  NotHex,    // a character that is no hex digit (a letter past f)
};

// Reads the entry's text (blanks that Backspace left at its end are no
// characters); colour is set only when Taken. Digits 0-9, a-f and A-F.
HexColourText ReadHexColour(const char* text, PaletteColour* colour);
// The first character of text that is no hex digit; '\0' when there is none.
char FirstNonHexCharacter(const char* text);
// "3399ff".
std::string HexOfColour(const PaletteColour& colour);
