// pixtool info: how many images a pix file holds and which indices each uses.
#include <array>
#include <cstdio>

#include "pixtool/commands.h"

namespace pixtool {

namespace {

// "0-4 7 9-12": the used indices, runs shortened.
std::string IndexList(const std::array<bool, 256>& used, int from) {
  std::string text;
  for (int i = from; i < 256; ++i) {
    if (!used[static_cast<std::size_t>(i)]) {
      continue;
    }
    int last = i;
    while (last + 1 < 256 && used[static_cast<std::size_t>(last + 1)]) {
      ++last;
    }
    if (!text.empty()) {
      text += ' ';
    }
    text += std::to_string(i);
    if (last > i) {
      text += '-';
      text += std::to_string(last);
    }
    i = last;
  }
  return text;
}

}  // namespace

int RunInfo(const Options& options) {
  PixFile file;
  std::string error;
  if (!ReadPixFile(options.file, options.size, false, file, error)) {
    return Fail(error);
  }
  std::printf("%s: %zu images of %d x %d (%zu bytes each), %zu byte%s left over\n", options.file.c_str(),
              file.WholeImages(), file.size.width, file.size.height, file.size.Bytes(), file.LeftoverBytes(),
              file.LeftoverBytes() == 1 ? "" : "s");
  for (std::size_t n = 0; n < file.WholeImages(); ++n) {
    std::array<bool, 256> used = {};
    bool above = false;
    for (std::size_t p = 0; p < file.size.Bytes(); ++p) {
      const std::uint8_t index = file.Image(n)[p];
      used[index] = true;
      above = above || index > 80;
    }
    std::printf("image %zu: indices %s", n, IndexList(used, 0).c_str());
    if (above) {
      std::printf("; above 80, not on the palette panel: %s", IndexList(used, 81).c_str());
    }
    std::printf("\n");
  }
  if (std::fflush(stdout) != 0) {
    return Fail("cannot write standard output");
  }
  return 0;
}

}  // namespace pixtool
