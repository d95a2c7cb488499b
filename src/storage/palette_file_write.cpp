// Writing palette files, naming their forms, and laying a file's colours over a palette.
#include <cctype>
#include <cstdio>

#include "storage/palette_file.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct FormatName {
  PaletteFormat format;
  const char* name;
  const char* title;
};

constexpr FormatName kFormats[] = {{PaletteFormat::Gpl, "gpl", "a GIMP palette"},
                                   {PaletteFormat::Pal, "pal", "a JASC palette"},
                                   {PaletteFormat::Act, "act", "an Adobe colour table"},
                                   {PaletteFormat::Hex, "hex", "a hex list"}};

void Append(Bytes& bytes, const std::string& text) {
  bytes.insert(bytes.end(), text.begin(), text.end());
}

// The colour lines' numbers before the name: "%3d %3d %3d\t".
constexpr std::size_t kNumbersBytes = 12;

// A name on the colour's own line: control bytes (line ends among them) but
// tabs become blanks, and a name too long for a line a reader takes is cut,
// at the start of a character.
std::string OneLine(const std::string& name) {
  std::string line = name;
  for (char& c : line) {
    if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) {
      c = ' ';
    }
  }
  if (line.size() > kMaxPaletteLineBytes - kNumbersBytes) {
    std::size_t end = kMaxPaletteLineBytes - kNumbersBytes;
    while (end > 0 && (static_cast<unsigned char>(line[end]) & 0xC0) == 0x80) {
      --end;
    }
    line.resize(end);
  }
  return line;
}

}  // namespace

std::optional<PaletteFormat> PaletteFormatNamed(const std::string& name) {
  for (const FormatName& known : kFormats) {
    if (name == known.name) {
      return known.format;
    }
  }
  return std::nullopt;
}

std::optional<PaletteFormat> PaletteFormatOfFile(const std::string& path) {
  const std::size_t dot = path.rfind('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) {
    return std::nullopt;
  }
  std::string extension = path.substr(dot + 1);
  for (char& c : extension) {
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return PaletteFormatNamed(extension);
}

const char* PaletteFormatTitle(PaletteFormat format) {
  for (const FormatName& known : kFormats) {
    if (known.format == format) {
      return known.title;
    }
  }
  return "";
}

std::string PaletteProblemText(const PaletteProblem& problem) {
  return problem.line > 0 ? "line " + std::to_string(problem.line) + ": " + problem.reason : problem.reason;
}

PaletteColours PaletteWithFile(const PaletteColours& base, const PaletteFileColours& file) {
  PaletteColours colours = base;
  for (std::size_t i = 0; i < file.colours.size() && i < colours.size(); ++i) {
    colours[i] = file.colours[i];
  }
  return colours;
}

std::vector<std::uint8_t> PaletteFileBytes(PaletteFormat format, const PaletteColours& colours,
                                           const std::vector<std::string>& names) {
  Bytes bytes;
  char line[64];
  switch (format) {
    case PaletteFormat::Gpl:
      Append(bytes,
             "GIMP Palette\nName: pixed\nColumns: 16\n# The pixed editor's colours: entry i is index i\n");
      for (std::size_t i = 0; i < colours.size(); ++i) {
        std::snprintf(line, sizeof line, "%3d %3d %3d\t", colours[i].red, colours[i].green, colours[i].blue);
        Append(bytes, line);
        const bool named = i < names.size() && !names[i].empty();
        Append(bytes, named ? OneLine(names[i]) : "index " + std::to_string(i));
        bytes.push_back('\n');
      }
      break;
    case PaletteFormat::Pal:
      // The form's own line ends are CR LF, as Paint Shop Pro wrote it.
      Append(bytes, "JASC-PAL\r\n0100\r\n256\r\n");
      for (const PaletteColour& colour : colours) {
        std::snprintf(line, sizeof line, "%d %d %d\r\n", colour.red, colour.green, colour.blue);
        Append(bytes, line);
      }
      break;
    case PaletteFormat::Act:
      // 768 bytes and no trailer: the 4-byte trailer (a count and a transparent
      // index) only says that fewer than 256 entries count, and all 256 do.
      for (const PaletteColour& colour : colours) {
        bytes.insert(bytes.end(), {colour.red, colour.green, colour.blue});
      }
      break;
    case PaletteFormat::Hex:
      for (const PaletteColour& colour : colours) {
        std::snprintf(line, sizeof line, "%02x%02x%02x\n", colour.red, colour.green, colour.blue);
        Append(bytes, line);
      }
      break;
  }
  return bytes;
}
