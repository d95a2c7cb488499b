// The working folder's palette file, Palette.gpl beside the settings files:
// read at start-up, and written, through the platform layer's file calls (in
// the browser the folder is the page's storage).
#pragma once

#include <string>
#include <vector>

#include "storage/palette_file.h"

inline constexpr const char* kFolderPaletteFile = "Palette.gpl";

struct FolderPalette {
  // The palette in force: the file's colours over entries 0, 1, 2, ..., the
  // built-in colours after them; the built-in palette alone without a usable file.
  PaletteColours colours;
  // What the file gave, names included; empty when it is missing or refused.
  PaletteFileColours file;
  // Whether there is a file of that name (usable or not).
  bool found = false;
  // Why the file was refused; the reason is empty when it was not.
  PaletteProblem problem;
};

// Reads kFolderPaletteFile of the working folder, in whichever of the four
// forms its bytes are (its own name says .gpl). A file that cannot be used
// (damaged, too large, a folder, unreadable) gives the built-in palette and
// the problem; the file itself is left as it is.
FolderPalette ReadFolderPalette();

// What the editor shows of a refused file, short enough for the message place:
// "Palette.gpl line 5: 300 is above 255. Built-in colours used."
std::string FolderPaletteMessage(const PaletteProblem& problem);
// The line for the standard error, without the program's name.
std::string FolderPaletteReport(const PaletteProblem& problem);

// Replaces kFolderPaletteFile whole (a new file renamed over it) with all 256
// colours as a GIMP palette, entry i named names[i] where given. False with
// errno set when it cannot be written; the old file is then as it was.
bool WriteFolderPalette(const PaletteColours& colours, const std::vector<std::string>& names);
