// Decoding BMP files held in memory into bitmap pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "../display.h"
#include "gdi_internal.h"

namespace plat::soft {

// Bitmaps are refused before any pixel memory is taken when wider or taller
// than five screens, or larger than the screen in area: no more of one can
// ever be seen at once, and a small run-length file claiming more (or a large
// file of true colour) would otherwise cost tens of milliseconds to decode on
// every pass that draws it. Within these limits every form draws in a few.
constexpr int kMaxBitmapSide = 4096;
constexpr std::int64_t kMaxBitmapPixels = std::int64_t{kScreenWidth} * kScreenHeight;
// The largest file such a bitmap needs (32 bits a pixel, with room for the
// longest headers and palette); larger files are refused unread.
constexpr std::size_t kMaxBitmapFileBytes = 4 * kMaxBitmapPixels + 64 * 1024;

// The file header's length, and the little-endian fields of the headers.
constexpr std::size_t kBmpFileHeader = 14;
inline std::uint32_t ReadBmp16(const std::uint8_t* at) {
  return at[0] | (at[1] << 8);
}
inline std::uint32_t ReadBmp32(const std::uint8_t* at) {
  return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}
// Within the limits above (a negative height is a top-down bitmap).
inline bool BmpSizeFits(std::int64_t width, std::int64_t height) {
  const auto sideFits = [](std::int64_t side) { return side >= -kMaxBitmapSide && side <= kMaxBitmapSide; };
  return sideFits(width) && sideFits(height) && std::abs(width) * std::abs(height) <= kMaxBitmapPixels;
}

// The whole file in memory; false when it is refused.
bool DecodeBmp(const std::uint8_t* data, std::size_t size, BitmapPixels* out);

// The two decoders DecodeBmp chooses between, open to tests.
//
// Plain uncompressed 8-bit files (the usual button bitmap) are read directly:
// SDL2 reads those a byte at a time. Anything unusual is left to the other.
enum class PlainResult { Decoded, NotPlain };
PlainResult DecodePlain8Bit(const std::uint8_t* data, std::size_t size, BitmapPixels* out);
// Every form SDL2's BMP reader takes, within the limits above (gdi_bmp_sdl.cpp).
bool DecodeWithSdl(const std::uint8_t* data, std::size_t size, BitmapPixels* out);
// The forms the direct reader leaves: SDL2's reader on the desktop; the
// browser build has no SDL2 and refuses them (web/web_bmp_forms.cpp).
bool DecodeOtherForms(const std::uint8_t* data, std::size_t size, BitmapPixels* out);

}  // namespace plat::soft
