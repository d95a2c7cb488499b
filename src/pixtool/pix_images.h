// pix files as pixtool sees them: whole images of one size, one after another,
// and the bytes left over after the last whole one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pixtool {

using Bytes = std::vector<std::uint8_t>;

// Sides from 1 to kMaxSide pixels.
inline constexpr int kMaxSide = 4096;
// pixtool holds a pix file in memory, and neither reads nor writes one larger than this.
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

// Reads the whole file. A missing file reads as empty when missingIsEmpty; any
// other failure (unreadable, not a regular file, larger than kMaxFileBytes)
// gives false and a message naming the file.
bool ReadPixFile(const std::string& path, ImageSize size, bool missingIsEmpty, PixFile& file,
                 std::string& error);

// The file's bytes with image n in its slot (several images one after
// another in slots n, n + 1, ...), as the editor's save writes it: over the
// old bytes there, or after zero bytes that fill the gap when the file ends
// before the slot. paddedBytes tells how many zeros were added.
Bytes PlaceImage(const Bytes& file, ImageSize size, std::size_t n, const Bytes& image,
                 std::size_t& paddedBytes);

// The file's bytes without image n (below the file's whole images): the
// images after it, and any bytes after the last whole image, move up by one
// image.
Bytes RemoveImage(const Bytes& file, ImageSize size, std::size_t n);

}  // namespace pixtool
