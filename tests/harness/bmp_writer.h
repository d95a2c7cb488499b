// BMP files made to order, for the tests and the benchmarks to have the program draw.
#pragma once

#include <cstdint>
#include <vector>

namespace pixtest {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
  std::uint8_t red;
  std::uint8_t green;
  std::uint8_t blue;
};

// The header fields of a file; the height is positive (rows bottom-up).
struct BmpForm {
  int width;
  int height;
  int bitsPerPixel;
  std::uint32_t compression = 0;  // 0 none, 1 RLE8, 2 RLE4
  bool coreHeader = false;        // the 12-byte OS/2 header, whose colours take three bytes
};

// The file header, the info header, the colour table (at most 256 colours;
// its length is the header's colour count) and then pixelData as given: rows
// bottom-up, each padded to four bytes, or run-length codes.
Bytes MakeBmp(const BmpForm& form, const std::vector<Rgb>& colours, const Bytes& pixelData);

// Uncompressed files of width x height pixels; pixels[y * width + x] is the
// pixel at (x, y) counted from the top-left.
// Eight bits: each pixel an index into colours.
Bytes MakeBmp8(int width, int height, const std::vector<Rgb>& colours,
               const std::vector<std::uint8_t>& pixels);
// Twenty-four bits: each pixel its own colour.
Bytes MakeBmp24(int width, int height, const std::vector<Rgb>& pixels);

}  // namespace pixtest
