// The palette in force: the colours the screen shows (paletteTable and the
// display's palette, the editor's inks chosen from them), the names the
// folder's palette file gave them, a colour changed as one step of the
// image history, and Palette.gpl written after every change.
#pragma once

#include <memory>
#include <string>

#include "canvas/palette_table.h"
#include "storage/folder_palette.h"

// At start-up, from the folder's palette as read: its colours go into
// paletteTable, its names are kept and the inks chosen. Palette.gpl is written
// later only when it was missing or used: a file that was refused stays as
// the artist left it. The images' state holds the palette from now on.
void TakeFolderPalette(const FolderPalette& palette);

// The palette in force.
PaletteColours PaletteInForce();
// The name entry index has in the folder's file; "" where it has none.
std::string ColourName(int index);

// Entry index becomes colour, as one step of the history (no step when it
// holds that colour already); the screen and the file follow at the next
// FollowPaletteChanges.
void ChangePaletteColour(int index, PaletteColour colour);
// Once a pass, after the keys: a palette changed, or put back by undo or
// redo, is shown (every pixel of a changed entry in its new colour, the
// screen drawn anew when the inks changed) and written to Palette.gpl.
void FollowPaletteChanges();
