// BMP decoding: a direct reader for plain 8-bit files; the rest goes to the build's other reader.
#include "gdi_bmp_decode.h"

#include <cstring>
#include <utility>

namespace plat::soft {

PlainResult DecodePlain8Bit(const std::uint8_t* data, std::size_t size, BitmapPixels* out) {
  if (size < kBmpFileHeader + 40 || data[0] != 'B' || data[1] != 'M') {
    return PlainResult::NotPlain;
  }
  const std::uint32_t pixelOffset = ReadBmp32(data + 10);
  const std::uint32_t infoSize = ReadBmp32(data + kBmpFileHeader);
  const std::int32_t width = static_cast<std::int32_t>(ReadBmp32(data + 18));
  const std::int32_t height = static_cast<std::int32_t>(ReadBmp32(data + 22));
  const std::uint32_t planes = ReadBmp16(data + 26);
  const std::uint32_t bitCount = ReadBmp16(data + 28);
  const std::uint32_t compression = ReadBmp32(data + 30);
  std::uint32_t colourCount = ReadBmp32(data + 46);
  if ((infoSize != 40 && infoSize != 108 && infoSize != 124) || planes != 1 || bitCount != 8 ||
      compression != 0 || width <= 0 || height == 0 || !BmpSizeFits(width, height) || colourCount > 256) {
    return PlainResult::NotPlain;
  }
  if (colourCount == 0) {
    colourCount = 256;
  }
  const std::size_t paletteOffset = kBmpFileHeader + infoSize;
  const std::size_t paletteEnd = paletteOffset + 4 * static_cast<std::size_t>(colourCount);
  const std::size_t rows = static_cast<std::size_t>(height < 0 ? -static_cast<std::int64_t>(height) : height);
  const std::size_t rowBytes = (static_cast<std::size_t>(width) + 3) & ~static_cast<std::size_t>(3);
  // Pixels that overlap the palette or run past the end are for SDL2 to judge.
  if (pixelOffset < paletteEnd || pixelOffset > size || (size - pixelOffset) / rowBytes < rows) {
    return PlainResult::NotPlain;
  }

  BitmapPixels pixels;
  pixels.width = width;
  pixels.height = static_cast<int>(rows);
  pixels.bitsPerPixel = 8;
  pixels.indexed = true;
  for (std::uint32_t i = 0; i < colourCount; ++i) {
    const std::uint8_t* entry = data + paletteOffset + 4 * i;
    pixels.colours[i] = RGB(entry[2], entry[1], entry[0]);
  }
  pixels.indices.resize(static_cast<std::size_t>(width) * rows);
  for (std::size_t y = 0; y < rows; ++y) {
    const std::size_t fileRow = height > 0 ? rows - 1 - y : y;
    const std::uint8_t* source = data + pixelOffset + fileRow * rowBytes;
    std::uint8_t* target = pixels.indices.data() + y * static_cast<std::size_t>(width);
    std::memcpy(target, source, static_cast<std::size_t>(width));
    for (std::int32_t x = 0; x < width; ++x) {
      pixels.used[target[x]] = true;
    }
  }
  // Indices beyond the palette: SDL2 refuses such files; let it say so.
  for (std::uint32_t i = colourCount; i < 256; ++i) {
    if (pixels.used[i]) {
      return PlainResult::NotPlain;
    }
  }
  *out = std::move(pixels);
  return PlainResult::Decoded;
}

bool DecodeBmp(const std::uint8_t* data, std::size_t size, BitmapPixels* out) {
  if (data == nullptr) {
    return false;
  }
  return DecodePlain8Bit(data, size, out) == PlainResult::Decoded || DecodeOtherForms(data, size, out);
}

}  // namespace plat::soft
