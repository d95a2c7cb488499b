// Reading the palette PNGs that pixtool writes, for checks in tests.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace pixtest {

struct PalettePng {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indices;                 // row by row
  std::vector<std::array<std::uint8_t, 3>> palette;  // red, green, blue
};

// Reads an 8-bit palette PNG; false when the file is anything else or cannot be read.
bool ReadPalettePng(const std::string& path, PalettePng& png);

}  // namespace pixtest
