// pixtool palette: the 256 colours in force (the editor's, or those of a
// palette file over them) as a palette file of another program, or as the
// folder's own Palette.gpl.
#include <cstdio>

#include "pixtool/commands.h"
#include "pixtool/safe_write.h"

namespace pixtool {

int RunPalette(const Options& options) {
  const PaletteFormat format = options.paletteFormat.value_or(PaletteFormat::Gpl);
  const Bytes bytes = PaletteFileBytes(format, options.colours, options.colourNames);
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
    std::printf("wrote %s: the %s256 colours as %s, index for index\n", options.output.c_str(),
                options.colourNames.empty() ? "editor's " : "", PaletteFormatTitle(format));
  }
  return 0;
}

}  // namespace pixtool
