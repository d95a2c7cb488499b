// Reading and writing the working folder's Palette.gpl through the platform layer.
#include "storage/folder_palette.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/system.h"

namespace {

// plat::OpenFile refuses what is not a regular file, before reading a byte.
PaletteProblem OpenProblem(int error) {
  switch (error) {
    case EISDIR:
      return {0, "a folder, not a palette file"};
    case EINVAL:
      return {0, "not a regular file"};
    default:
      return {0, std::string("cannot be read: ") + std::strerror(error)};
  }
}

}  // namespace

FolderPalette ReadFolderPalette() {
  FolderPalette palette;
  palette.colours = GeneratePaletteColours();
  errno = 0;
  std::FILE* stream = plat::OpenFile(kFolderPaletteFile, "rb");
  if (stream == nullptr) {
    const int error = errno;
    palette.found = error != ENOENT;
    if (palette.found) {
      palette.problem = OpenProblem(error != 0 ? error : EIO);
    }
    return palette;
  }
  palette.found = true;
  std::vector<std::uint8_t> bytes;
  const bool read = ReadPaletteStream(stream, bytes, palette.problem);
  std::fclose(stream);
  PaletteFileColours file;
  if (read &&
      ParsePaletteFile(PaletteFormatOfBytes(bytes, PaletteFormat::Gpl), bytes, file, palette.problem)) {
    palette.colours = PaletteWithFile(palette.colours, file);
    palette.file = std::move(file);
  }
  return palette;
}

std::string FolderPaletteMessage(const PaletteProblem& problem) {
  const std::string where = problem.line > 0
                                ? std::string(kFolderPaletteFile) + " line " + std::to_string(problem.line)
                                : kFolderPaletteFile;
  return where + ": " + problem.reason + ". Built-in colours used.";
}

std::string FolderPaletteReport(const PaletteProblem& problem) {
  return std::string(kFolderPaletteFile) + ": " + PaletteProblemText(problem) +
         "; the built-in palette is used, and the file is left as it is";
}

bool WriteFolderPalette(const PaletteColours& colours, const std::vector<std::string>& names) {
  const std::vector<std::uint8_t> bytes = PaletteFileBytes(PaletteFormat::Gpl, colours, names);
  return plat::WriteWholeFile(kFolderPaletteFile, [&bytes](std::FILE* out) {
    return std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  });
}
