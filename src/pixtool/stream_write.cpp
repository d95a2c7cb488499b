#include "pixtool/stream_write.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace pixtool {

std::string CannotWrite(const std::string& path, int error) {
  return "cannot write " + path + ": " + std::strerror(error);
}

bool WriteInPlace(const std::string& path, const WriteBody& body, std::string& error) {
  std::FILE* stream = std::fopen(path.c_str(), "wb");
  if (stream == nullptr) {
    error = CannotWrite(path, errno);
    return false;
  }
  errno = 0;
  const bool written = body(stream, error);
  int failure = !written && std::ferror(stream) != 0 ? errno : 0;
  const bool flushed = written && std::fflush(stream) == 0 && std::ferror(stream) == 0;
  if (written && !flushed) {
    failure = errno != 0 ? errno : EIO;
  }
  if (std::fclose(stream) != 0 && flushed) {
    failure = errno != 0 ? errno : EIO;
  }
  if (failure != 0) {
    error = CannotWrite(path, failure);
    return false;
  }
  return written && flushed;
}

bool WriteStandardOutputStream(const WriteBody& body, std::string& error) {
  errno = 0;
  const bool written = body(stdout, error);
  int failure = !written && std::ferror(stdout) != 0 ? errno : 0;
  if (written && (std::fflush(stdout) != 0 || std::ferror(stdout) != 0)) {
    failure = errno != 0 ? errno : EIO;
  }
  if (failure != 0) {
    error = std::string("cannot write standard output: ") + std::strerror(failure);
    return false;
  }
  return written;
}

}  // namespace pixtool
