// What the work being edited is: the image's size, its number and the two
// file names. The unsaved mark, the recovery copy, its keeper and its offer
// all keep this one record.
#pragma once

#include <cstddef>
#include <cstdint>

// A file name field: at most kLongestName characters and a zero byte.
inline constexpr std::size_t kNameBytes = 25;
inline constexpr std::size_t kLongestName = kNameBytes - 1;

struct WorkRecord {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t pixNumber = 0;
  char loadFileName[kNameBytes] = {};
  char saveFileName[kNameBytes] = {};

  bool operator==(const WorkRecord&) const = default;
};
