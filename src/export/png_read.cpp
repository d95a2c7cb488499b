// Reading PNGs through libpng, which reports errors by longjmp: each step that
// can fail runs in its own small function holding the setjmp, with nothing
// there that has a destructor.
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "export/png_io.h"
#include "export/png_messages.h"

namespace pixexport {

namespace {

bool ReadHeader(png_structp png, png_infop info, std::FILE* in) {
  if (setjmp(png_jmpbuf(png))) {
    return false;
  }
  png_init_io(png, in);
  // The size is checked against the expected one before any pixel memory is
  // taken, so a PNG may claim any size libpng accepts.
  png_set_user_limits(png, 0x7fffffff, 0x7fffffff);
  png_read_info(png, info);
  return true;
}

// One byte per palette index, or four bytes (red, green, blue, alpha) per pixel.
bool SetOutputForm(png_structp png, png_infop info, bool indexed) {
  if (setjmp(png_jmpbuf(png))) {
    return false;
  }
  if (indexed) {
    png_set_packing(png);
  } else {
    png_set_expand(png);
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return true;
}

bool ReadRows(png_structp png, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) {
    return false;
  }
  png_read_image(png, rows);
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

bool ReadPng(std::FILE* in, const PngSizeCheck& check, PngPixels& result, std::string& error) {
  result = PngPixels{};
  PngMessage message;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &message, OnPngError, OnPngWarning);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  bool ok = info != nullptr && ReadHeader(png, info, in);
  if (ok) {
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (!check(width, height, error)) {
      png_destroy_read_struct(&png, &info, nullptr);
      return false;
    }
    result.width = static_cast<int>(width);
    result.height = static_cast<int>(height);
    result.indexed = png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE;
    ok = SetOutputForm(png, info, result.indexed);
  }
  const std::size_t channels = result.indexed ? 1 : 4;
  const std::size_t rowBytes = static_cast<std::size_t>(result.width) * channels;
  if (ok && png_get_rowbytes(png, info) != rowBytes) {
    std::snprintf(message.text, sizeof message.text, "unexpected row layout");
    ok = false;
  }
  if (ok) {
    Bytes& pixels = result.indexed ? result.indices : result.rgba;
    pixels.assign(rowBytes * static_cast<std::size_t>(result.height), 0);
    std::vector<png_bytep> rows(static_cast<std::size_t>(result.height));
    for (std::size_t y = 0; y < rows.size(); ++y) {
      rows[y] = pixels.data() + y * rowBytes;
    }
    ok = ReadRows(png, rows.data());
  }
  if (ok && result.indexed) {
    png_colorp colours = nullptr;
    int count = 0;
    if (png_get_PLTE(png, info, &colours, &count) != 0) {
      for (int i = 0; i < count; ++i) {
        result.palette.push_back({colours[i].red, colours[i].green, colours[i].blue});
      }
    }
    result.paletteAlpha.assign(result.palette.size(), 255);
    png_bytep alpha = nullptr;
    int alphaCount = 0;
    if (png_get_tRNS(png, info, &alpha, &alphaCount, nullptr) != 0) {
      for (int i = 0; i < alphaCount && static_cast<std::size_t>(i) < result.paletteAlpha.size(); ++i) {
        result.paletteAlpha[static_cast<std::size_t>(i)] = alpha[i];
      }
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  if (!ok) {
    error = std::string("is not a PNG that pixtool can read (") +
            (message.text[0] != '\0' ? message.text : "libpng could not start") + ")";
  }
  return ok;
}

}  // namespace pixexport
