// pix files as the exports see them: whole images of one size, one after
// another, and the bytes left over after the last whole one. pixtool and the
// editor read a file into this and write its pictures from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace pixexport {

using Bytes = std::vector<std::uint8_t>;

// Neither program reads a pix file larger than this into memory to export it.
inline constexpr std::size_t kMaxFileBytes = std::size_t{256} << 20;

struct ImageSize {
  int width = 0;
  int height = 0;
  std::size_t Bytes() const { return static_cast<std::size_t>(width) * static_cast<std::size_t>(height); }
};

struct PixFile {
  Bytes bytes;
  ImageSize size;

  std::size_t WholeImages() const { return bytes.size() / size.Bytes(); }
  std::size_t LeftoverBytes() const { return bytes.size() % size.Bytes(); }
  // The first byte of image n; n must be below WholeImages().
  const std::uint8_t* Image(std::size_t n) const { return bytes.data() + n * size.Bytes(); }
};

}  // namespace pixexport
