// Reading and writing PNG files through libpng.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "canvas/palette_table.h"
#include "export/pix_images.h"

namespace pixexport {

// Palette indices, row by row from the top.
struct IndexedImage {
  int width = 0;
  int height = 0;
  Bytes pixels;
};

// Writes the image as an 8-bit palette PNG carrying all 256 colours, so that
// index i of the image is index i of the PNG. False with libpng's reason when
// the PNG cannot be written; the stream's own errors show at its close.
bool WritePalettePng(std::FILE* out, const IndexedImage& image, const PaletteColours& colours,
                     std::string& error);

// A PNG as read: a palette image keeps its indices, its palette and the alpha
// of each palette entry; any other image is red, green, blue, alpha bytes.
struct PngPixels {
  int width = 0;
  int height = 0;
  bool indexed = false;
  Bytes indices;
  std::vector<PaletteColour> palette;
  Bytes paletteAlpha;
  Bytes rgba;
};

// Looks at a PNG's size before its pixels are read: false with a message
// refuses it. It keeps the sides within an int and the pixels within what
// pixtool holds in memory.
using PngSizeCheck = std::function<bool(std::size_t width, std::size_t height, std::string& error)>;

// Reads a PNG whose size the check accepts; its message is the error of a
// refusal. Any other failure (not a PNG, damaged, cut short) gives false and
// libpng's reason.
bool ReadPng(std::FILE* in, const PngSizeCheck& check, PngPixels& png, std::string& error);

}  // namespace pixexport
