// Palette files: three text forms and one binary table, 256 entries each.
#include "pixtool/palette_files.h"

#include <cctype>
#include <cstdio>

namespace pixtool {

namespace {

struct FormatName {
  PaletteFormat format;
  const char* name;
};

constexpr FormatName kFormats[] = {{PaletteFormat::Gpl, "gpl"},
                                   {PaletteFormat::Pal, "pal"},
                                   {PaletteFormat::Act, "act"},
                                   {PaletteFormat::Hex, "hex"}};

void Append(Bytes& bytes, const char* text) {
  for (; *text != '\0'; ++text) {
    bytes.push_back(static_cast<std::uint8_t>(*text));
  }
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

Bytes PaletteFile(PaletteFormat format, const PaletteColours& colours) {
  Bytes bytes;
  char line[64];
  switch (format) {
    case PaletteFormat::Gpl:
      Append(bytes,
             "GIMP Palette\nName: pixed\nColumns: 16\n# The pixed editor's colours: entry i is index i\n");
      for (std::size_t i = 0; i < colours.size(); ++i) {
        std::snprintf(line, sizeof line, "%3d %3d %3d\tindex %zu\n", colours[i].red, colours[i].green,
                      colours[i].blue, i);
        Append(bytes, line);
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

}  // namespace pixtool
