// Decoding BMP files held in memory into bitmap pixels.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gdi_internal.h"

namespace plat::soft {

// Bitmaps are refused before any pixel memory is taken when wider or taller
// than five screens, or larger than the screen in area: no more of one can
// ever be seen at once, and a small run-length file claiming more (or a large
// file of true colour) would otherwise cost tens of milliseconds to decode on
// every pass that draws it. Within these limits every form draws in a few.
constexpr int kMaxBitmapSide = 4096;
constexpr std::int64_t kMaxBitmapPixels = 800 * 600;
// The largest file such a bitmap needs (32 bits a pixel, with room for the
// longest headers and palette); larger files are refused unread.
constexpr std::size_t kMaxBitmapFileBytes = 4 * kMaxBitmapPixels + 64 * 1024;

// The whole file in memory; false when it is refused.
bool DecodeBmp(const std::uint8_t* data, std::size_t size, BitmapPixels* out);

// The two decoders DecodeBmp chooses between, open to tests.
//
// Plain uncompressed 8-bit files (the usual button bitmap) are read directly:
// SDL2 reads those a byte at a time. Anything unusual is left to SDL2.
enum class PlainResult { Decoded, NotPlain };
PlainResult DecodePlain8Bit(const std::uint8_t* data, std::size_t size, BitmapPixels* out);
// Every form SDL2's BMP reader takes, within the limits above.
bool DecodeWithSdl(const std::uint8_t* data, std::size_t size, BitmapPixels* out);

}  // namespace plat::soft
