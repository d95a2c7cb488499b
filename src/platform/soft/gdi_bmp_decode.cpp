// BMP decoding: a direct reader for plain 8-bit files, SDL2's for the rest.
#include "gdi_bmp_decode.h"

#include <SDL.h>

#include <cstring>
#include <utility>

namespace plat::soft {

namespace {

constexpr std::size_t kFileHeader = 14;

std::uint32_t Read16(const std::uint8_t* at) {
  return at[0] | (at[1] << 8);
}

std::uint32_t Read32(const std::uint8_t* at) {
  return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

bool SideFits(std::int64_t side) {
  return side >= -kMaxBitmapSide && side <= kMaxBitmapSide;
}

// Reads the file's size and bit depth from its headers, refusing files that
// are not BMP files or whose sizes are out of range.
bool CheckHeader(const std::uint8_t* data, std::size_t size, int* bitsPerPixel) {
  if (size < kFileHeader + 12 || data[0] != 'B' || data[1] != 'M') {
    return false;
  }
  const std::uint32_t infoSize = Read32(data + kFileHeader);
  std::int64_t width;
  std::int64_t height;
  std::uint32_t compression = 0;
  if (infoSize == 12) {  // OS/2 1.x core header: 16-bit sizes
    width = Read16(data + 18);
    height = Read16(data + 20);
    *bitsPerPixel = static_cast<int>(Read16(data + 24));
  } else if (infoSize >= 16 && size >= kFileHeader + 20) {
    width = static_cast<std::int32_t>(Read32(data + 18));
    height = static_cast<std::int32_t>(Read32(data + 22));
    *bitsPerPixel = static_cast<int>(Read16(data + 28));
    if (infoSize >= 40) {
      compression = Read32(data + 30);
    }
  } else {
    return false;
  }
  if (!SideFits(width) || !SideFits(height)) {
    return false;
  }
  // Uncompressed rows are all in the file: a few bytes claiming a huge
  // bitmap are refused before its pixel memory is taken.
  if ((compression == 0 || compression == 3) && *bitsPerPixel > 0 && *bitsPerPixel <= 32) {
    const std::uint64_t rowBytes =
        (static_cast<std::uint64_t>(width < 0 ? -width : width) * *bitsPerPixel + 31) / 32 * 4;
    if (rowBytes * static_cast<std::uint64_t>(height < 0 ? -height : height) > size) {
      return false;
    }
  }
  return true;
}

void CopySdlIndexed(const SDL_Surface* surface, BitmapPixels* out) {
  const SDL_Palette* palette = surface->format->palette;
  const int count = palette != nullptr ? (palette->ncolors < 256 ? palette->ncolors : 256) : 0;
  for (int i = 0; i < count; ++i) {
    out->colours[i] = RGB(palette->colors[i].r, palette->colors[i].g, palette->colors[i].b);
  }
  const std::size_t width = static_cast<std::size_t>(surface->w);
  out->indexed = true;
  out->indices.resize(width * static_cast<std::size_t>(surface->h));
  for (int y = 0; y < surface->h; ++y) {
    const auto* row =
        static_cast<const std::uint8_t*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch;
    std::uint8_t* target = out->indices.data() + static_cast<std::size_t>(y) * width;
    std::memcpy(target, row, width);
    for (std::size_t x = 0; x < width; ++x) {
      out->used[target[x]] = true;
    }
  }
}

bool CopySdlDirect(SDL_Surface* surface, BitmapPixels* out) {
  SDL_Surface* converted = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_XRGB8888, 0);
  if (converted == nullptr) {
    return false;
  }
  const std::size_t width = static_cast<std::size_t>(converted->w);
  out->indexed = false;
  out->rgb.resize(width * static_cast<std::size_t>(converted->h));
  for (int y = 0; y < converted->h; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(converted->pixels) +
                      static_cast<std::ptrdiff_t>(y) * converted->pitch;
    COLORREF* target = out->rgb.data() + static_cast<std::size_t>(y) * width;
    for (std::size_t x = 0; x < width; ++x) {
      std::uint32_t pixel;
      std::memcpy(&pixel, row + x * 4, sizeof pixel);
      target[x] = RGB(static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                      static_cast<std::uint8_t>(pixel));
    }
  }
  SDL_FreeSurface(converted);
  return true;
}

}  // namespace

PlainResult DecodePlain8Bit(const std::uint8_t* data, std::size_t size, BitmapPixels* out) {
  if (size < kFileHeader + 40 || data[0] != 'B' || data[1] != 'M') {
    return PlainResult::NotPlain;
  }
  const std::uint32_t pixelOffset = Read32(data + 10);
  const std::uint32_t infoSize = Read32(data + kFileHeader);
  const std::int32_t width = static_cast<std::int32_t>(Read32(data + 18));
  const std::int32_t height = static_cast<std::int32_t>(Read32(data + 22));
  const std::uint32_t planes = Read16(data + 26);
  const std::uint32_t bitCount = Read16(data + 28);
  const std::uint32_t compression = Read32(data + 30);
  std::uint32_t colourCount = Read32(data + 46);
  if ((infoSize != 40 && infoSize != 108 && infoSize != 124) || planes != 1 || bitCount != 8 ||
      compression != 0 || width <= 0 || width > kMaxBitmapSide || height == 0 || !SideFits(height) ||
      colourCount > 256) {
    return PlainResult::NotPlain;
  }
  if (colourCount == 0) {
    colourCount = 256;
  }
  const std::size_t paletteOffset = kFileHeader + infoSize;
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

bool DecodeWithSdl(const std::uint8_t* data, std::size_t size, BitmapPixels* out) {
  if (data == nullptr || size > 0x7FFFFFFF) {
    return false;
  }
  SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
  if (stream == nullptr) {
    return false;
  }
  SDL_Surface* surface = SDL_LoadBMP_RW(stream, 1);
  if (surface == nullptr) {
    return false;
  }
  bool decoded = false;
  if (surface->w > 0 && surface->h > 0 && surface->w <= kMaxBitmapSide && surface->h <= kMaxBitmapSide &&
      SDL_LockSurface(surface) == 0) {
    BitmapPixels pixels;
    pixels.width = surface->w;
    pixels.height = surface->h;
    pixels.bitsPerPixel = surface->format->BitsPerPixel;
    if (surface->format->format == SDL_PIXELFORMAT_INDEX8) {
      CopySdlIndexed(surface, &pixels);
      decoded = true;
    } else {
      decoded = CopySdlDirect(surface, &pixels);
    }
    SDL_UnlockSurface(surface);
    if (decoded) {
      *out = std::move(pixels);
    }
  }
  SDL_FreeSurface(surface);
  return decoded;
}

bool DecodeBmp(const std::uint8_t* data, std::size_t size, BitmapPixels* out) {
  int bitsPerPixel = 0;
  if (data == nullptr || size > 0x7FFFFFFF || !CheckHeader(data, size, &bitsPerPixel)) {
    return false;
  }
  if (DecodePlain8Bit(data, size, out) == PlainResult::Decoded) {
    return true;
  }
  if (!DecodeWithSdl(data, size, out)) {
    return false;
  }
  if (bitsPerPixel > 0 && bitsPerPixel <= 32) {
    out->bitsPerPixel = bitsPerPixel;  // the file's depth, not SDL2's expansion of it
  }
  return true;
}

}  // namespace plat::soft
