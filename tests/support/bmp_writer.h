// Small BMP files made in tests, to be drawn by the program.
#pragma once

#include <cstdint>
#include <vector>

#include "file_bytes.h"

namespace pixtest {

struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

// An uncompressed bottom-up BMP (BITMAPINFOHEADER) of width x height pixels;
// rows[y * width + x] is the pixel at (x, y) counted from the top-left.
// Eight bits: each pixel an index into colours (at most 256 of them).
Bytes MakeBmp8(int width, int height, const std::vector<Rgb>& colours,
               const std::vector<std::uint8_t>& pixels);
// Twenty-four bits: each pixel its own colour.
Bytes MakeBmp24(int width, int height, const std::vector<Rgb>& pixels);

}  // namespace pixtest
