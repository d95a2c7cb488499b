// The colours pixtool works in: the editor's built-in palette, with a palette
// file's colours over its first entries, as the editor itself starts with the
// Palette.gpl of its working folder.
#pragma once

#include <string>

#include "pixtool/options.h"
#include "storage/palette_file.h"

namespace pixtool {

// The editor's palette file in its working folder, read by every command that
// reads or writes colours when no --palette is given.
inline constexpr const char* kPaletteFile = "Palette.gpl";
// --palette built-in: the editor's own colours, whatever the folder holds.
inline constexpr const char* kBuiltInPalette = "built-in";

// Reads a palette file of any of the four forms: its bytes tell the form where
// its name does not (a .pal that is a GIMP palette is read as one). Only a
// regular file of at most kMaxPaletteFileBytes is read; a FIFO is never
// waited on. False with "NAME line 5: 300 is above 255" and the like.
bool ReadPaletteFile(const std::string& path, PaletteFileColours& palette, PaletteFormat& format,
                     std::string& error);

// The colours of a PNG's pixels in the order of their first use, each laid on
// black where it is not opaque, as import takes it. False with a message when
// it has more than 256 or cannot be read.
bool ReadPngColours(const std::string& path, PaletteFileColours& palette, std::string& error);

// Sets options.colours and options.colourNames for a command that uses colours
// (palette --from FILE, else --palette FILE, else this folder's kPaletteFile,
// else the built-in palette) and says on standard error, in one line, where
// they come from. Gives 0, or the exit status after saying why not.
int TakePalette(Options& options);

}  // namespace pixtool
