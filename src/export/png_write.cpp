// Writing palette PNGs through libpng, which reports errors by longjmp: the
// step that can fail runs in its own small function holding the setjmp, with
// nothing there that has a destructor. Kept apart from the reading
// (png_read.cpp), which the editor, only writing, does not link.
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "export/png_io.h"
#include "export/png_messages.h"

namespace pixexport {

namespace {

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

}  // namespace pixexport
