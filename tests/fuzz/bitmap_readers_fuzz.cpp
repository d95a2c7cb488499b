// Fuzz target: arbitrary bytes through the two bitmap readers. Whatever the
// direct 8-bit reader takes, SDL2's reader takes too, with the same pixels;
// whatever the editor's decoding takes is SDL2's reading of it; true colour
// keeps the colours of SDL2's own conversion; and the editor refuses nothing
// that SDL2 takes within the size limits. Input: the file.
#include <SDL.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "fuzz_machine.h"
#include "platform/soft/gdi_bmp_decode.h"

namespace {

using plat::soft::BitmapPixels;

void CheckSame(const BitmapPixels& a, const BitmapPixels& b, const std::string& what) {
  pixfuzz::Check(a.width == b.width && a.height == b.height, what + ": sizes differ");
  pixfuzz::Check(a.indexed == b.indexed, what + ": one is indexed, the other not");
  if (!a.indexed) {
    pixfuzz::Check(a.rgb == b.rgb, what + ": colours differ");
    return;
  }
  pixfuzz::Check(a.indices == b.indices, what + ": indices differ");
  pixfuzz::Check(a.used == b.used, what + ": the indices in use differ");
  for (int i = 0; i < 256; ++i) {
    pixfuzz::Check(!a.used[i] || a.colours[i] == b.colours[i],
                   what + ": colour " + std::to_string(i) + " differs");
  }
}

// True colour as SDL2 itself converts the surface it reads.
void CheckSdlConversion(const std::uint8_t* data, std::size_t size, const BitmapPixels& decoded) {
  SDL_Surface* loaded = SDL_LoadBMP_RW(SDL_RWFromConstMem(data, static_cast<int>(size)), 1);
  pixfuzz::Check(loaded != nullptr, "SDL2 reads a file the second time but not the first");
  SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_XRGB8888, 0);
  pixfuzz::Check(converted != nullptr, "SDL2 cannot convert what it read");
  for (int y = 0; y < converted->h; ++y) {
    for (int x = 0; x < converted->w; ++x) {
      std::uint32_t pixel;
      std::memcpy(&pixel, static_cast<const std::uint8_t*>(converted->pixels) + y * converted->pitch + 4 * x,
                  4);
      const plat::COLORREF expected = plat::RGB(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
      pixfuzz::Check(decoded.rgb[static_cast<std::size_t>(y) * converted->w + x] == expected,
                     "a true-colour pixel differs from SDL2's conversion");
    }
  }
  SDL_FreeSurface(converted);
  SDL_FreeSurface(loaded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  BitmapPixels direct;
  BitmapPixels sdl;
  BitmapPixels whole;
  const bool directTakes =
      plat::soft::DecodePlain8Bit(data, size, &direct) == plat::soft::PlainResult::Decoded;
  const bool sdlTakes = plat::soft::DecodeWithSdl(data, size, &sdl);
  const bool wholeTakes = plat::soft::DecodeBmp(data, size, &whole);
  if (directTakes) {
    pixfuzz::Check(sdlTakes, "the direct reader takes a file SDL2 refuses");
    CheckSame(direct, sdl, "direct reader against SDL2");
  }
  pixfuzz::Check(wholeTakes == sdlTakes, wholeTakes ? "the editor takes a file SDL2 refuses"
                                                    : "the editor refuses a file SDL2 takes");
  if (wholeTakes) {
    CheckSame(whole, sdl, "the editor's decoding against SDL2");
    if (!sdl.indexed) {
      CheckSdlConversion(data, size, sdl);
    }
  }
  return 0;
}
