// pixtool palette: the editor's 256 colours as a palette file of another program.
#include <cstdio>

#include "canvas/palette_table.h"
#include "pixtool/commands.h"
#include "pixtool/safe_write.h"

namespace pixtool {

namespace {

const char* FormatTitle(PaletteFormat format) {
  switch (format) {
    case PaletteFormat::Gpl:
      return "a GIMP palette";
    case PaletteFormat::Pal:
      return "a JASC palette";
    case PaletteFormat::Act:
      return "an Adobe colour table";
    case PaletteFormat::Hex:
      return "a hex list";
  }
  return "";
}

}  // namespace

int RunPalette(const Options& options) {
  const PaletteFormat format = options.paletteFormat.value_or(PaletteFormat::Gpl);
  const Bytes bytes = PaletteFile(format, GeneratePaletteColours());
  const WriteBody body = [&bytes](std::FILE* stream, std::string& message) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) {
      message = "short write";
      return false;
    }
    return true;
  };
  std::string error;
  const bool toStandardOutput = options.output == "-";
  if (!(toStandardOutput ? WriteStandardOutput(body, error) : WriteFileSafely(options.output, body, error))) {
    return Fail(error);
  }
  if (!toStandardOutput) {
    std::printf("wrote %s: the editor's 256 colours as %s, index for index\n", options.output.c_str(),
                FormatTitle(format));
  }
  return 0;
}

}  // namespace pixtool
