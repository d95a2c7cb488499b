// Reading the editor's SaveSize.dat.
#include "pixtool/folder_size.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace pixtool {

FolderSize ReadFolderSize(ImageSize& size, std::string& error) {
  const std::string advice = ": give --size WIDTHxHEIGHT";
  struct stat status {};
  if (stat(kSizeFile, &status) != 0) {
    if (errno == ENOENT) {
      return FolderSize::Missing;
    }
    error = std::string("cannot read ") + kSizeFile + ": " + std::strerror(errno) + advice;
    return FolderSize::Damaged;
  }
  if (!S_ISREG(status.st_mode)) {
    error = std::string(kSizeFile) + " here is not a regular file" + advice;
    return FolderSize::Damaged;
  }
  std::FILE* file = std::fopen(kSizeFile, "rb");
  if (file == nullptr) {
    error = std::string("cannot read ") + kSizeFile + ": " + std::strerror(errno) + advice;
    return FolderSize::Damaged;
  }
  unsigned char bytes[2] = {0, 0};
  const std::size_t got = std::fread(bytes, 1, sizeof bytes, file);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    error = std::string("cannot read ") + kSizeFile + advice;
    return FolderSize::Damaged;
  }
  if (got < sizeof bytes) {
    error = std::string(kSizeFile) + " is damaged: " + (got == 0 ? "empty" : "1 byte") +
            ", not the editor's width and height" + advice;
    return FolderSize::Damaged;
  }
  if (bytes[0] == 0 || bytes[1] == 0) {
    error = std::string(kSizeFile) + " is damaged: it says " + std::to_string(bytes[0]) + " x " +
            std::to_string(bytes[1]) + ", and no side is 0 pixels" + advice;
    return FolderSize::Damaged;
  }
  size = {bytes[0], bytes[1]};
  return FolderSize::Found;
}

}  // namespace pixtool
