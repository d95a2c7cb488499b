// A plain libpng reader for palette PNGs, apart from pixtool's own.
#include "png_file.h"

#include <png.h>

#include <cstdio>

namespace pixtest {

namespace {

bool ReadInto(png_structp png, png_infop info, std::FILE* file, PalettePng& result) {
  if (setjmp(png_jmpbuf(png))) {
    return false;
  }
  png_init_io(png, file);
  png_read_info(png, info);
  if (png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE || png_get_bit_depth(png, info) != 8 ||
      png_get_interlace_type(png, info) != PNG_INTERLACE_NONE) {
    return false;
  }
  result.width = static_cast<int>(png_get_image_width(png, info));
  result.height = static_cast<int>(png_get_image_height(png, info));
  png_colorp colours = nullptr;
  int count = 0;
  png_get_PLTE(png, info, &colours, &count);
  for (int i = 0; i < count; ++i) {
    result.palette.push_back({colours[i].red, colours[i].green, colours[i].blue});
  }
  result.indices.resize(static_cast<std::size_t>(result.width) * static_cast<std::size_t>(result.height));
  for (int y = 0; y < result.height; ++y) {
    png_read_row(png,
                 result.indices.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(result.width),
                 nullptr);
  }
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

bool ReadPalettePng(const std::string& path, PalettePng& result) {
  result = PalettePng{};
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    return false;
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  const bool read = info != nullptr && ReadInto(png, info, file, result);
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  return read;
}

}  // namespace pixtest
