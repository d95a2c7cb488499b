// The win32 backend's stand-ins for the POSIX stdio calls the editor uses, which the Windows C library
// lacks. The win32 build puts this in front of every editor source (-include).
#pragma once

#include <cstdio>

inline int getc_unlocked(std::FILE* file) {
  return std::getc(file);
}

inline int putc_unlocked(int character, std::FILE* file) {
  return std::putc(character, file);
}
