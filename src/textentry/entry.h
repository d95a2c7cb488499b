// Blocking keyboard entries of a number, an image size and a file name.
#pragma once

#include <cstdint>

#include "../storage/work_record.h"

extern std::uint8_t keyState[256];
extern char numberText[300];
extern char sizeText[4];
extern char nameText[kNameBytes];
// Six characters and the terminator: a colour's rrggbb (textentry/hex_colour.h).
extern char hexText[7];

// Each returns 1 when Enter ended the entry, and 0 when it gave up because
// Escape was pressed (the entry is cancelled, the editor goes on) or the
// system asked the program to end: the buffer then holds a half-typed text
// that must not be used. A key types once when it goes down and repeats
// while held; keys beyond the entry's limit are dropped.
int EnterNumber();
int EnterSize();
int EnterFileName();
// A colour's six hex digits: letters and digits are typed as in a name (a
// letter past f too, so the caller can say why it is refused), at most six.
int EnterHexColour();
// True when the name of the last EnterFileName holds nothing but spaces
// before its ".pix": the caller keeps the name it had.
bool NameTextBlank();
// True when the last EnterSize took no digit: the caller keeps the size it had.
bool SizeTextBlank();

// Unsigned decimal: leading blanks skipped, digits up to the first non-digit,
// none = 0, above 4,294,967,295 = 4,294,967,295. Kept bit for bit in a signed field.
std::int32_t ConvertNumber(const char* text);
