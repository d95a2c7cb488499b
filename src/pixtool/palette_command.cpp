// pixtool palette: the editor's 256 colours as a palette file of another program.
#include <cstdio>

#include "canvas/palette_table.h"
#include "pixtool/commands.h"
#include "pixtool/safe_write.h"

namespace pixtool {

int RunPalette(const Options& options) {
  const PaletteFormat format = options.paletteFormat.value_or(PaletteFormat::Gpl);
  const Bytes bytes = PaletteFileBytes(format, GeneratePaletteColours());
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
                PaletteFormatTitle(format));
  }
  return 0;
}

}  // namespace pixtool
