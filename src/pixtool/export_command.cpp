// pixtool export: pix images as one palette PNG, a single image or a sprite sheet.
#include <unistd.h>

#include <cstdio>

#include "canvas/palette_table.h"
#include "pixtool/commands.h"
#include "pixtool/png_io.h"
#include "pixtool/safe_write.h"
#include "pixtool/sheet.h"

namespace pixtool {

int RunExport(const Options& options) {
  const bool toStandardOutput = options.output == "-";
  if (toStandardOutput && isatty(STDOUT_FILENO) != 0) {
    return Fail("standard output is a terminal: send the PNG to a file or a pipe", kExitUsage);
  }
  PixFile file;
  std::string error;
  if (!ReadPixFile(options.file, options.size, false, file, error)) {
    return Fail(error);
  }
  const std::size_t count = file.WholeImages();
  const std::string sizeText =
      std::to_string(options.size.width) + " x " + std::to_string(options.size.height);
  if (count == 0) {
    return Fail(options.file + " holds no whole image of " + sizeText + " (" +
                std::to_string(file.bytes.size()) + " bytes)");
  }
  std::size_t first = 0;
  std::size_t chosen = 1;
  if (options.all) {
    chosen = count;
  } else if (options.image) {
    first = static_cast<std::size_t>(*options.image);
    if (first >= count) {
      return Fail(options.file + " holds images 0 to " + std::to_string(count - 1) + " of " + sizeText +
                  "; there is no image " + std::to_string(first));
    }
  }
  const std::size_t columns = options.sheetColumns ? static_cast<std::size_t>(*options.sheetColumns) : chosen;
  SheetLayout layout;
  if (!PlanSheet(options.size, chosen, columns, options.scale, layout, error)) {
    return Fail(error);
  }
  const IndexedImage picture = DrawSheet(file, first, chosen, layout, options.scale);
  const PaletteColours colours = GeneratePaletteColours();
  const WriteBody body = [&](std::FILE* stream, std::string& message) {
    if (!WritePalettePng(stream, picture, colours, message)) {
      message = "cannot write " + options.output + ": " + message;
      return false;
    }
    return true;
  };
  const bool written =
      toStandardOutput ? WriteStandardOutput(body, error) : WriteFileSafely(options.output, body, error);
  if (!written) {
    return Fail(error);
  }
  if (!toStandardOutput) {
    std::printf("wrote %s: %zu image%s of %s, %zu x %zu pixels\n", options.output.c_str(), chosen,
                chosen == 1 ? "" : "s", sizeText.c_str(), layout.width, layout.height);
  }
  return 0;
}

}  // namespace pixtool
