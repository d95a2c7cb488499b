// Finding and reading the palette pixtool works in.
#include "pixtool/palette_source.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unordered_set>

#include "export/png_io.h"
#include "pixtool/commands.h"
#include "pixtool/sheet.h"

namespace pixtool {

namespace {

constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Not waiting on a FIFO's writer, nor taking a terminal; binary where the C
// library knows text mode. Only what the system has (Windows lacks the first).
constexpr int kOpenFlags = O_RDONLY
#ifdef O_NONBLOCK
                           | O_NONBLOCK | O_NOCTTY | O_CLOEXEC
#endif
#ifdef O_BINARY
                           | O_BINARY
#endif
    ;

// Opens path for reading if it is a regular file, without waiting on a FIFO
// or a device; null with a message otherwise.
std::FILE* OpenRegularFile(const std::string& path, std::string& error) {
  const int fd = open(path.c_str(), kOpenFlags);
  if (fd < 0) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return nullptr;
  }
  struct stat status {};
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    error =
        path + (S_ISDIR(status.st_mode) ? " is a folder" : " is not a regular file") + ", not a palette file";
    close(fd);
    return nullptr;
  }
  std::FILE* stream = fdopen(fd, "rb");
  if (stream == nullptr) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    close(fd);
  }
  return stream;
}

std::string Where(const std::string& path, const PaletteProblem& problem) {
  return problem.line > 0 ? path + " " + PaletteProblemText(problem) : path + ": " + problem.reason;
}

std::uint8_t Blend(std::uint8_t value, std::uint8_t alpha) {
  return static_cast<std::uint8_t>((value * alpha + 127) / 255);
}

bool IsPng(const std::string& path) {
  std::string unused;
  std::FILE* stream = OpenRegularFile(path, unused);
  std::uint8_t start[sizeof kPngSignature] = {};
  const bool png = stream != nullptr && std::fread(start, 1, sizeof start, stream) == sizeof start &&
                   std::memcmp(start, kPngSignature, sizeof start) == 0;
  if (stream != nullptr) {
    std::fclose(stream);
  }
  return png;
}

std::string ColourRange(std::size_t count) {
  return count == 1 ? "colour 0" : "colours 0 to " + std::to_string(count - 1);
}

// "pixtool: colours 0 to 15 from Palette.gpl (this folder's palette), 16 to 255 the editor's own"
void SayWhence(const std::string& what, std::size_t count) {
  if (count == 0) {
    std::fprintf(stderr, "pixtool: %s has no colours: the editor's own throughout\n", what.c_str());
  } else if (count == kMaxPaletteColours) {
    std::fprintf(stderr, "pixtool: all 256 colours from %s\n", what.c_str());
  } else {
    std::fprintf(stderr, "pixtool: %s from %s, %zu to 255 the editor's own\n", ColourRange(count).c_str(),
                 what.c_str(), count);
  }
}

}  // namespace

bool ReadPaletteFile(const std::string& path, PaletteFileColours& palette, PaletteFormat& format,
                     std::string& error) {
  std::FILE* stream = OpenRegularFile(path, error);
  if (stream == nullptr) {
    return false;
  }
  std::vector<std::uint8_t> bytes;
  PaletteProblem problem;
  const bool read = ReadPaletteStream(stream, bytes, problem);
  std::fclose(stream);
  format = PaletteFormatOfBytes(bytes, PaletteFormatOfFile(path));
  if (!read || !ParsePaletteFile(format, bytes, palette, problem)) {
    error = Where(path, problem);
    return false;
  }
  return true;
}

bool ReadPngColours(const std::string& path, PaletteFileColours& palette, std::string& error) {
  std::FILE* stream = OpenRegularFile(path, error);
  if (stream == nullptr) {
    return false;
  }
  PngPixels png;
  const PngSizeCheck check = [](std::size_t width, std::size_t height, std::string& message) {
    if (width * height > kMaxSheetPixels) {
      message = "is larger than pixtool reads (" + std::to_string(kMaxSheetPixels) + " pixels)";
      return false;
    }
    return true;
  };
  const bool read = ReadPng(stream, check, png, error);
  std::fclose(stream);
  if (!read) {
    error = path + " " + error;
    return false;
  }
  palette = PaletteFileColours{};
  std::unordered_set<std::uint32_t> seen;
  const std::size_t pixels = static_cast<std::size_t>(png.width) * static_cast<std::size_t>(png.height);
  for (std::size_t p = 0; p < pixels; ++p) {
    std::uint8_t rgba[4] = {};
    if (png.indexed) {
      const std::uint8_t index = png.indices[p];
      if (index >= png.palette.size()) {
        error = path + " uses index " + std::to_string(index) + " beyond its palette of " +
                std::to_string(png.palette.size()) + " colours";
        return false;
      }
      const PaletteColour& colour = png.palette[index];
      rgba[0] = colour.red;
      rgba[1] = colour.green;
      rgba[2] = colour.blue;
      rgba[3] = png.paletteAlpha[index];
    } else {
      std::memcpy(rgba, png.rgba.data() + 4 * p, 4);
    }
    const PaletteColour colour = {Blend(rgba[0], rgba[3]), Blend(rgba[1], rgba[3]), Blend(rgba[2], rgba[3])};
    if (!seen.insert(std::uint32_t{colour.red} << 16 | std::uint32_t{colour.green} << 8 | colour.blue)
             .second) {
      continue;
    }
    if (palette.colours.size() == kMaxPaletteColours) {
      error = path + " has more than 256 colours: a palette holds at most 256";
      return false;
    }
    palette.colours.push_back(colour);
    palette.names.emplace_back();
  }
  return true;
}

int TakePalette(Options& options) {
  const PaletteColours builtIn = GeneratePaletteColours();
  options.colours = builtIn;
  options.colourNames.clear();
  std::string path = !options.paletteFrom.empty() ? options.paletteFrom : options.palette;
  const bool fromFolder = path.empty();
  if (path == kBuiltInPalette) {
    return 0;
  }
  if (fromFolder) {
    struct stat status {};
    if (stat(kPaletteFile, &status) != 0 && errno == ENOENT) {
      return 0;
    }
    path = kPaletteFile;
  }
  PaletteFileColours palette;
  PaletteFormat format = PaletteFormat::Gpl;
  std::string error;
  const bool png = !options.paletteFrom.empty() && IsPng(path);
  if (!(png ? ReadPngColours(path, palette, error) : ReadPaletteFile(path, palette, format, error))) {
    return Fail(fromFolder
                    ? error + " (this folder's palette): mend it, or give --palette FILE or --palette " +
                          kBuiltInPalette
                    : error);
  }
  std::string what = path;
  if (png) {
    what += "'s pixels in order of first use";
  } else if (fromFolder) {
    what += " (this folder's palette)";
  }
  if (const std::optional<PaletteFormat> named = PaletteFormatOfFile(path);
      !png && named && *named != format) {
    what += std::string(" (") + PaletteFormatTitle(format) + ", whatever its name says)";
  }
  SayWhence(what, palette.colours.size());
  options.colours = PaletteWithFile(builtIn, palette);
  options.colourNames = palette.names;
  return 0;
}

}  // namespace pixtool
