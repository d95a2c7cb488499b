// pixtool's command line: which command, on which file, with which options.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "canvas/palette_table.h"
#include "pixtool/pix_images.h"
#include "storage/palette_file.h"

namespace pixtool {

enum class Command { None, Info, Export, Import, Delete, Palette };

// What export writes, told by the extension of -o: a GIF for ".gif", else a PNG.
enum class PictureFormat { Png, Gif };

inline constexpr std::int64_t kMaxImageNumber = 2147483647;
inline constexpr int kMaxScale = 64;
inline constexpr int kMaxColumns = 65535;
// A GIF's delays are in hundredths of a second, and viewers show a delay
// below 2 hundredths as 10: 50 images a second is the fastest a GIF plays.
inline constexpr int kMaxFps = 50;
inline constexpr int kDefaultFps = 10;

struct Options {
  Command command = Command::None;
  bool help = false;
  bool version = false;
  // info, export and delete: the pix file; import: the PNG; palette: none.
  std::string file;
  // Width 0 until --size gives it (or the folder's SaveSize.dat, see folder_size.h).
  ImageSize size;
  std::optional<std::int64_t> image;
  bool all = false;
  std::optional<std::int64_t> from;
  std::optional<std::int64_t> to;
  std::optional<int> fps;
  std::optional<int> sheetColumns;
  int scale = 1;
  std::string output;
  PictureFormat picture = PictureFormat::Png;
  std::string json;
  // --format, else what -o's extension says (always set once parsed).
  std::optional<PaletteFormat> paletteFormat;
  // --palette: a palette file (or "built-in"); "" for the folder's Palette.gpl.
  std::string palette;
  // palette --from: the palette file or PNG whose colours palette writes.
  std::string paletteFrom;
  std::string appendTo;
  std::string into;
  bool allowAnyIndex = false;

  // The colours the command works in, set by TakePalette (palette_source.h)
  // before it runs, and the names of the palette file's colours, one for each
  // colour it gave ("" where it named none): empty when no file gave any.
  PaletteColours colours = {};
  std::vector<std::string> colourNames;

  int Fps() const { return fps.value_or(kDefaultFps); }
};

// The command's name as typed, "" for None.
const char* CommandName(Command command);

// The options the command takes, as typed ("--size", "-o", ...).
std::vector<std::string> OptionNames(Command command);

// Whether the command works on images of a size (--size, or the folder's SaveSize.dat).
bool NeedsSize(Command command);
// Whether the command reads or writes colours (--palette, or the folder's Palette.gpl).
bool UsesColours(Command command);

// Parses the arguments after the program name. False with a one-line message
// when they are not a valid command line; help and version requests succeed with
// help or version set. A missing --size is left for the caller (size width 0).
bool ParseCommandLine(const std::vector<std::string>& arguments, Options& options, std::string& error);

}  // namespace pixtool
