// libpng behind two calls. libpng reports errors by longjmp: each step that
// can fail runs in its own small function holding the setjmp, with nothing
// there that has a destructor.
#include "export/png_io.h"

#include <png.h>

#include <csetjmp>
#include <cstring>

namespace pixexport {

namespace {

struct PngMessage {
  char text[200] = "";
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
  auto* sink = static_cast<PngMessage*>(png_get_error_ptr(png));
  std::snprintf(sink->text, sizeof sink->text, "%s", message);
  png_longjmp(png, 1);
}

// Warnings (an odd colour profile, a damaged text chunk) do not change the pixels.
void OnPngWarning(png_structp, png_const_charp) {}

bool WriteAll(png_structp png, png_infop info, std::FILE* out, const IndexedImage& image,
              png_colorp palette) {
  if (setjmp(png_jmpbuf(png))) {
    return false;
  }
  png_init_io(png, out);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
               PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_PLTE(png, info, palette, 256);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y) {
    png_write_row(png,
                  image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width));
  }
  png_write_end(png, nullptr);
  return true;
}

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

bool WritePalettePng(std::FILE* out, const IndexedImage& image, const PaletteColours& colours,
                     std::string& error) {
  PngMessage message;
  png_color palette[256];
  for (std::size_t i = 0; i < colours.size(); ++i) {
    palette[i] = {colours[i].red, colours[i].green, colours[i].blue};
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &message, OnPngError, OnPngWarning);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  const bool written = info != nullptr && WriteAll(png, info, out, image, palette);
  png_destroy_write_struct(&png, &info);
  if (!written) {
    error = message.text[0] != '\0' ? message.text : "libpng could not start";
  }
  return written;
}

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
