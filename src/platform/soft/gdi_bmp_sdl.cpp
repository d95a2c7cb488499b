// BMP decoding of every form but the plain 8-bit one, through SDL2's reader.
#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "gdi_bmp_decode.h"

namespace plat::soft {

namespace {

// Reads the file's size and bit depth from its headers, refusing files that
// are not BMP files or whose sizes are out of range.
bool CheckHeader(const std::uint8_t* data, std::size_t size, int* bitsPerPixel) {
  if (size < kBmpFileHeader + 12 || data[0] != 'B' || data[1] != 'M') {
    return false;
  }
  const std::uint32_t infoSize = ReadBmp32(data + kBmpFileHeader);
  std::int64_t width;
  std::int64_t height;
  std::uint32_t compression = 0;
  if (infoSize == 12) {  // OS/2 1.x core header: 16-bit sizes
    width = ReadBmp16(data + 18);
    height = ReadBmp16(data + 20);
    *bitsPerPixel = static_cast<int>(ReadBmp16(data + 24));
  } else if (infoSize >= 16 && size >= kBmpFileHeader + 20) {
    width = static_cast<std::int32_t>(ReadBmp32(data + 18));
    height = static_cast<std::int32_t>(ReadBmp32(data + 22));
    *bitsPerPixel = static_cast<int>(ReadBmp16(data + 28));
    if (infoSize >= 40) {
      compression = ReadBmp32(data + 30);
    }
  } else {
    return false;
  }
  if (!BmpSizeFits(width, height)) {
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

// The colour of every pixel value of a 16-bit format, as SDL2 converts it.
// SDL2 converts some such formats slowly (5 ns a pixel); a table is quick.
const std::vector<COLORREF>* SixteenBitColours(std::uint32_t format) {
  struct Table {
    std::uint32_t format = SDL_PIXELFORMAT_UNKNOWN;
    std::vector<COLORREF> colours;
  };
  static Table tables[4];
  static int next = 0;
  for (const Table& table : tables) {
    if (table.format == format) {
      return &table.colours;
    }
  }
  std::vector<std::uint16_t> values(65536);
  for (std::size_t i = 0; i < values.size(); ++i) {
    values[i] = static_cast<std::uint16_t>(i);
  }
  Table& table = tables[next];
  table.colours.resize(values.size());
  if (SDL_ConvertPixels(256, 256, format, values.data(), 512, SDL_PIXELFORMAT_XBGR8888, table.colours.data(),
                        1024) != 0) {
    return nullptr;
  }
  table.format = format;
  next = (next + 1) % 4;
  return &table.colours;
}

// Straight into COLORREF order (red in the low byte).
bool CopySdlDirect(SDL_Surface* surface, BitmapPixels* out) {
  const std::size_t width = static_cast<std::size_t>(surface->w);
  out->indexed = false;
  out->rgb.resize(width * static_cast<std::size_t>(surface->h));
  if (surface->format->BytesPerPixel == 2) {
    const std::vector<COLORREF>* colours = SixteenBitColours(surface->format->format);
    if (colours == nullptr) {
      return false;
    }
    for (int y = 0; y < surface->h; ++y) {
      const auto* row =
          static_cast<const std::uint8_t*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch;
      COLORREF* target = out->rgb.data() + static_cast<std::size_t>(y) * width;
      for (std::size_t x = 0; x < width; ++x) {
        std::uint16_t value;
        std::memcpy(&value, row + 2 * x, sizeof value);
        target[x] = (*colours)[value];
      }
    }
  } else if (SDL_ConvertPixels(surface->w, surface->h, surface->format->format, surface->pixels,
                               surface->pitch, SDL_PIXELFORMAT_XBGR8888, out->rgb.data(),
                               static_cast<int>(width * 4)) != 0) {
    return false;
  }
  for (COLORREF& pixel : out->rgb) {
    pixel &= 0x00FFFFFFu;
  }
  return true;
}

}  // namespace

bool DecodeWithSdl(const std::uint8_t* data, std::size_t size, BitmapPixels* out) {
  // SDL2 takes the sizes in the header as they stand: it is handed only files
  // whose sizes are within the limits.
  int bitsPerPixel = 0;
  if (data == nullptr || size > 0x7FFFFFFF || !CheckHeader(data, size, &bitsPerPixel)) {
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
  if (surface->w > 0 && surface->h > 0 && BmpSizeFits(surface->w, surface->h) &&
      SDL_LockSurface(surface) == 0) {
    BitmapPixels pixels;
    pixels.width = surface->w;
    pixels.height = surface->h;
    // The file's depth, not SDL2's expansion of it.
    pixels.bitsPerPixel =
        bitsPerPixel > 0 && bitsPerPixel <= 32 ? bitsPerPixel : surface->format->BitsPerPixel;
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

bool DecodeOtherForms(const std::uint8_t* data, std::size_t size, BitmapPixels* out) {
  return DecodeWithSdl(data, size, out);
}

}  // namespace plat::soft
