// Palette files of other paint programs, read and written: GIMP's .gpl, JASC's
// .pal, Adobe's .act and hex lists. Bytes in, bytes out: free of platform
// headers, so the editor (through its platform layer) and pixtool (through its
// own file calls) share every rule of the formats.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "canvas/palette_table.h"

// GIMP's .gpl (GIMP, Krita, Inkscape), JASC's .pal (Paint Shop Pro,
// Aseprite), Adobe's colour table .act (Photoshop) and a hex list .hex (one
// rrggbb a line, as palette sites hand them out).
enum class PaletteFormat { Gpl, Pal, Act, Hex };

inline constexpr std::size_t kMaxPaletteColours = 256;
// Far more than any palette file needs (256 named colours take a few KB):
// larger files are refused after reading this much of them, never whole.
inline constexpr std::size_t kMaxPaletteFileBytes = std::size_t{1} << 20;
// Longer lines are refused, with their number.
inline constexpr std::size_t kMaxPaletteLineBytes = 1024;
// The two sizes of an Adobe colour table: 256 entries, then perhaps a count
// and a transparent index, each a big-endian 16-bit number.
inline constexpr std::size_t kActBytes = 768;
inline constexpr std::size_t kActWithCountBytes = 772;

// A palette as a file gives it: its colours in order (entry 0 first), each
// with its name ("" where the file names none; only .gpl names colours).
struct PaletteFileColours {
  std::vector<PaletteColour> colours;
  std::vector<std::string> names;
};

// Why a file was refused: the line (from 1; 0 for the file as a whole, and for
// an .act, which has no lines) and a short reason, "300 is above 255".
struct PaletteProblem {
  int line = 0;
  std::string reason;
};

// The format of a --format value or an extension ("gpl", "pal", "act", "hex").
std::optional<PaletteFormat> PaletteFormatNamed(const std::string& name);
// The format a file name's extension says, in any case ("art.GPL").
std::optional<PaletteFormat> PaletteFormatOfFile(const std::string& path);
// "a GIMP palette", "a JASC palette", "an Adobe colour table", "a hex list".
const char* PaletteFormatTitle(PaletteFormat format);

// Reads the whole stream, at most kMaxPaletteFileBytes: false with a problem
// when it holds more (having read only one byte past the limit) or a read
// fails. The caller opens and closes the stream.
bool ReadPaletteStream(std::FILE* stream, std::vector<std::uint8_t>& bytes, PaletteProblem& problem);

// The format the bytes are in: their own header ("GIMP Palette", "JASC-PAL"),
// a binary table of an .act's size, or a first colour line of rrggbb say it;
// else named (the file name's guess), else a GIMP palette without its header.
PaletteFormat PaletteFormatOfBytes(const std::vector<std::uint8_t>& bytes,
                                   std::optional<PaletteFormat> named);

// Reads the bytes as format: true with the colours in order, or false with
// the problem of the first thing that cannot be used. 0 colours is a valid
// palette; more than kMaxPaletteColours is not.
bool ParsePaletteFile(PaletteFormat format, const std::vector<std::uint8_t>& bytes,
                      PaletteFileColours& palette, PaletteProblem& problem);

// "line 5: 300 is above 255", or the reason alone for the file as a whole.
std::string PaletteProblemText(const PaletteProblem& problem);

// The palette in force: base with its entries 0, 1, 2, ... replaced by the
// file's colours in order; entries past the file's last colour keep base's.
PaletteColours PaletteWithFile(const PaletteColours& base, const PaletteFileColours& file);

// The file's bytes: all 256 colours, entry i at place i; a .gpl names entry i
// names[i] where that is given and not empty, else "index i". Names are
// written on one line each (line ends in them become blanks), cut where the
// line would be longer than kMaxPaletteLineBytes.
std::vector<std::uint8_t> PaletteFileBytes(PaletteFormat format, const PaletteColours& colours,
                                           const std::vector<std::string>& names = {});
