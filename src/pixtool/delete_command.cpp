// pixtool delete: one image taken out of a pix file, the later ones moved up.
#include <cstdio>

#include "pixtool/commands.h"
#include "pixtool/safe_write.h"

namespace pixtool {

int RunDelete(const Options& options) {
  PixFile file;
  std::string error;
  if (!ReadPixFile(options.file, options.size, false, file, error)) {
    return Fail(error);
  }
  const std::size_t count = file.WholeImages();
  const auto n = static_cast<std::size_t>(*options.image);
  const std::string sizeText =
      std::to_string(options.size.width) + " x " + std::to_string(options.size.height);
  if (count == 0) {
    return Fail(options.file + " holds no whole image of " + sizeText + " (" +
                std::to_string(file.bytes.size()) + " bytes): nothing deleted");
  }
  if (n >= count) {
    return Fail(options.file + " holds images 0 to " + std::to_string(count - 1) + " of " + sizeText +
                "; there is no image " + std::to_string(n) + ": nothing deleted");
  }
  const Bytes bytes = RemoveImage(file.bytes, options.size, n);
  const WriteBody body = [&bytes](std::FILE* stream, std::string& message) {
    // The only image taken out leaves an empty file.
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size()) {
      message = "short write";
      return false;
    }
    return true;
  };
  if (!WriteFileSafely(options.file, body, error)) {
    return Fail(error);
  }
  std::printf("took image %zu out of %s: %zu image%s of %s left\n", n, options.file.c_str(), count - 1,
              count - 1 == 1 ? "" : "s", sizeText.c_str());
  if (file.LeftoverBytes() > 0) {
    std::printf("the %zu bytes after the last whole image stay at the end, as they were\n",
                file.LeftoverBytes());
  }
  return 0;
}

}  // namespace pixtool
