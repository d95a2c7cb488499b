// What loading and saving pix images share: where an image lies in the file,
// and the file names as opened.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <cstring>
#include <limits>

#include "../app/editor_state.h"

namespace pixfile {

// An image position that no file can reach: every byte of it reads as past the end.
constexpr std::int64_t kNoPosition = -1;

// A name field holds at most 24 characters, even when its terminator was lost.
struct FileName {
  char text[kNameBytes];
};

inline FileName TerminatedName(const char (&name)[kNameBytes]) {
  FileName copy{};
  std::memcpy(copy.text, name, strnlen(name, kLongestName));
  return copy;
}

// Byte position of image number n, or kNoPosition when it is negative or too large
// for a file offset.
inline std::int64_t ImagePosition(std::int64_t n) {
  std::int64_t size = 0;
  std::int64_t position = 0;
  if (__builtin_mul_overflow(static_cast<std::int64_t>(editorState.width),
                             static_cast<std::int64_t>(editorState.height), &size) ||
      __builtin_mul_overflow(n, size, &position) || position < 0 ||
      position > static_cast<std::int64_t>(std::numeric_limits<off_t>::max())) {
    return kNoPosition;
  }
  return position;
}

}  // namespace pixfile
