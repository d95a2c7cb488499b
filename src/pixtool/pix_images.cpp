// Reading pix files whole, putting an image into an image slot and taking one out.
#include "pixtool/pix_images.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace pixtool {

bool ReadPixFile(const std::string& path, ImageSize size, bool missingIsEmpty, PixFile& file,
                 std::string& error) {
  file.bytes.clear();
  file.size = size;
  struct stat status {};
  if (stat(path.c_str(), &status) != 0) {
    if (errno == ENOENT && missingIsEmpty) {
      return true;
    }
    error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  if (!S_ISREG(status.st_mode)) {
    error = path + " is not a regular file";
    return false;
  }
  if (static_cast<std::uintmax_t>(status.st_size) > kMaxFileBytes) {
    error = path + " is larger than pixtool reads (" + std::to_string(kMaxFileBytes) + " bytes)";
    return false;
  }
  std::FILE* stream = std::fopen(path.c_str(), "rb");
  if (stream == nullptr) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  // Read to the end rather than trusting the length: the file may change meanwhile.
  std::uint8_t chunk[65536];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, stream)) > 0 && file.bytes.size() <= kMaxFileBytes) {
    file.bytes.insert(file.bytes.end(), chunk, chunk + got);
  }
  const bool failed = std::ferror(stream) != 0;
  const int readErrno = errno;
  std::fclose(stream);
  if (failed) {
    error = "cannot read " + path + ": " + std::strerror(readErrno);
    return false;
  }
  if (file.bytes.size() > kMaxFileBytes) {
    error = path + " is larger than pixtool reads (" + std::to_string(kMaxFileBytes) + " bytes)";
    return false;
  }
  return true;
}

Bytes PlaceImage(const Bytes& file, ImageSize size, std::size_t n, const Bytes& image,
                 std::size_t& paddedBytes) {
  const std::size_t start = n * size.Bytes();
  Bytes result = file;
  paddedBytes = start > file.size() ? start - file.size() : 0;
  if (result.size() < start + image.size()) {
    result.resize(start + image.size(), 0);
  }
  std::copy(image.begin(), image.end(), result.begin() + static_cast<std::ptrdiff_t>(start));
  return result;
}

Bytes RemoveImage(const Bytes& file, ImageSize size, std::size_t n) {
  const auto start = static_cast<std::ptrdiff_t>(n * size.Bytes());
  Bytes result(file.begin(), file.begin() + start);
  result.insert(result.end(), file.begin() + start + static_cast<std::ptrdiff_t>(size.Bytes()), file.end());
  return result;
}

}  // namespace pixtool
