// BMP files made to order, for the tests and the benchmarks to have the program draw.
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

std::size_t RowBytes(int width, int bitsPerPixel) {
  return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32 * 4;
}

}  // namespace

Bytes MakeBmp(const BmpForm& form, const std::vector<Rgb>& colours, const Bytes& pixelData) {
  const std::uint32_t headerSize = form.coreHeader ? 12 : 40;
  const std::uint32_t colourSize = form.coreHeader ? 3 : 4;
  const std::uint32_t dataOffset = 14 + headerSize + colourSize * static_cast<std::uint32_t>(colours.size());
  Bytes out = {'B', 'M'};
  Put32(out, dataOffset + static_cast<std::uint32_t>(pixelData.size()));
  Put32(out, 0);
  Put32(out, dataOffset);
  Put32(out, headerSize);
  if (form.coreHeader) {
    Put16(out, static_cast<std::uint32_t>(form.width));
    Put16(out, static_cast<std::uint32_t>(form.height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(form.bitsPerPixel));
  } else {
    Put32(out, static_cast<std::uint32_t>(form.width));
    Put32(out, static_cast<std::uint32_t>(form.height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(form.bitsPerPixel));
    Put32(out, form.compression);
    Put32(out, static_cast<std::uint32_t>(pixelData.size()));
    Put32(out, 2835);  // 72 dots an inch
    Put32(out, 2835);
    Put32(out, static_cast<std::uint32_t>(colours.size()));
    Put32(out, 0);
  }
  for (const Rgb& colour : colours) {
    out.insert(out.end(), {colour.blue, colour.green, colour.red});
    if (!form.coreHeader) {
      out.push_back(0);
    }
  }
  out.insert(out.end(), pixelData.begin(), pixelData.end());
  return out;
}

Bytes MakeBmp8(int width, int height, const std::vector<Rgb>& colours,
               const std::vector<std::uint8_t>& pixels) {
  const std::size_t row = RowBytes(width, 8);
  Bytes data;
  for (int y = height - 1; y >= 0; --y) {
    for (std::size_t x = 0; x < row; ++x) {
      data.push_back(x < static_cast<std::size_t>(width) ? pixels[static_cast<std::size_t>(y) * width + x]
                                                         : 0);
    }
  }
  return MakeBmp({width, height, 8}, colours, data);
}

Bytes MakeBmp24(int width, int height, const std::vector<Rgb>& pixels) {
  const std::size_t row = RowBytes(width, 24);
  Bytes data;
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const Rgb& colour = pixels[static_cast<std::size_t>(y) * width + x];
      data.insert(data.end(), {colour.blue, colour.green, colour.red});
    }
    data.resize(data.size() + row - 3 * static_cast<std::size_t>(width));
  }
  return MakeBmp({width, height, 24}, {}, data);
}

}  // namespace pixtest
