// Decoding BMP files held in memory into bitmap pixels.
#pragma once

#include <cstddef>
#include <cstdint>

#include "gdi_internal.h"

namespace plat::soft {

// Wider or taller bitmaps are refused before any pixel memory is taken. Five
// screens wide is plenty; a few-byte run-length file claiming more would
// otherwise cost a second of decoding on every pass that draws it.
constexpr int kMaxBitmapSide = 4096;

// The whole file in memory; false when it is refused.
bool DecodeBmp(const std::uint8_t* data, std::size_t size, BitmapPixels* out);

// The two decoders DecodeBmp chooses between, open to tests.
//
// Plain uncompressed 8-bit files (the usual button bitmap) are read directly:
// SDL2 reads those a byte at a time. Anything unusual is left to SDL2.
enum class PlainResult { Decoded, NotPlain };
PlainResult DecodePlain8Bit(const std::uint8_t* data, std::size_t size, BitmapPixels* out);
// Every form SDL2's BMP reader takes.
bool DecodeWithSdl(const std::uint8_t* data, std::size_t size, BitmapPixels* out);

}  // namespace plat::soft
