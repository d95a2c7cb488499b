// Small BMP files made in tests, to be drawn by the program.
#include "bmp_writer.h"

namespace pixtest {
namespace {

void Put16(Bytes& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(Bytes& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// File header and BITMAPINFOHEADER for an uncompressed image.
Bytes Headers(int width, int height, int bitsPerPixel, int colourCount, std::uint32_t imageSize) {
  const std::uint32_t dataOffset = 14 + 40 + 4 * static_cast<std::uint32_t>(colourCount);
  Bytes out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, dataOffset + imageSize);
  Put32(out, 0);
  Put32(out, dataOffset);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bitsPerPixel));
  Put32(out, 0);  // BI_RGB
  Put32(out, imageSize);
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, static_cast<std::uint32_t>(colourCount));
  Put32(out, 0);
  return out;
}

int RowBytes(int width, int bitsPerPixel) {
  return (width * bitsPerPixel / 8 + 3) / 4 * 4;
}

}  // namespace

Bytes MakeBmp8(int width, int height, const std::vector<Rgb>& colours,
               const std::vector<std::uint8_t>& pixels) {
  const int row = RowBytes(width, 8);
  Bytes out = Headers(width, height, 8, static_cast<int>(colours.size()),
                      static_cast<std::uint32_t>(row) * static_cast<std::uint32_t>(height));
  for (const Rgb& colour : colours) {
    out.insert(out.end(), {colour.blue, colour.green, colour.red, 0});
  }
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < row; ++x) {
      out.push_back(x < width ? pixels[static_cast<std::size_t>(y) * width + x] : 0);
    }
  }
  return out;
}

Bytes MakeBmp24(int width, int height, const std::vector<Rgb>& pixels) {
  const int row = RowBytes(width, 24);
  Bytes out =
      Headers(width, height, 24, 0, static_cast<std::uint32_t>(row) * static_cast<std::uint32_t>(height));
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const Rgb& colour = pixels[static_cast<std::size_t>(y) * width + x];
      out.insert(out.end(), {colour.blue, colour.green, colour.red});
    }
    for (int pad = width * 3; pad < row; ++pad) {
      out.push_back(0);
    }
  }
  return out;
}

}  // namespace pixtest
