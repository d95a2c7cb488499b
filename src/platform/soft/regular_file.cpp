// Opening files that can only be regular files.
#include "regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace plat::soft {
namespace {

struct OpenMode {
  int flags = 0;
  bool truncate = false;
  bool valid = false;
};

OpenMode ParseMode(const char* mode) {
  OpenMode parsed;
  if (mode[0] != 'r' && mode[0] != 'w' && mode[0] != 'a') {
    return parsed;
  }
  bool update = false;
  bool exclusive = false;
  for (const char* c = mode + 1; *c != '\0'; ++c) {
    update = update || *c == '+';
    exclusive = exclusive || *c == 'x';
  }
  parsed.flags = update ? O_RDWR : (mode[0] == 'r' ? O_RDONLY : O_WRONLY);
  if (mode[0] != 'r') {
    parsed.flags |= O_CREAT | (exclusive ? O_EXCL : 0) | (mode[0] == 'a' ? O_APPEND : 0);
  }
  parsed.truncate = mode[0] == 'w';
  parsed.valid = true;
  return parsed;
}

int NotRegularError(mode_t type) {
  return S_ISDIR(type) ? EISDIR : EINVAL;
}

}  // namespace

std::FILE* OpenRegularFile(const char* name, const char* mode) {
  const OpenMode parsed = ParseMode(mode);
  if (!parsed.valid) {
    errno = EINVAL;
    return nullptr;
  }
  // Refused before it is opened: opening some devices already does something.
  struct stat before {};
  if (stat(name, &before) == 0 && !S_ISREG(before.st_mode)) {
    errno = NotRegularError(before.st_mode);
    return nullptr;
  }
  // Not blocking, in case a FIFO took the file's place since; not truncated
  // until it is known to be a regular file.
  const int fd = open(name, parsed.flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  if (fd < 0) {
    return nullptr;
  }
  struct stat opened {};
  int error = 0;
  if (fstat(fd, &opened) != 0) {
    error = errno;
  } else if (!S_ISREG(opened.st_mode)) {
    error = NotRegularError(opened.st_mode);
  } else if (parsed.truncate && ftruncate(fd, 0) != 0) {
    error = errno;
  } else if (const int status = fcntl(fd, F_GETFL);
             status < 0 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) != 0) {
    error = errno;
  }
  std::FILE* file = error == 0 ? fdopen(fd, mode) : nullptr;
  if (file == nullptr) {
    error = error != 0 ? error : errno;
    close(fd);
    errno = error;
  }
  return file;
}

}  // namespace plat::soft
