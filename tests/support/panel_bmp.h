// The button bitmaps as the tests read them, with a reader of their own apart from the program's.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "canvas/fixed_colours.h"

namespace pixtest {

struct PanelBitmap {
  std::string fault;  // empty when the file is well formed
  int width = 0;
  int height = 0;
  int bits = 0;
  std::vector<PaletteColour> pixels;  // top row first
  const PaletteColour& At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// An uncompressed 8-bit BMP with a full colour table whose every entry is a panel colour.
PanelBitmap ReadPanelBmp(const std::string& path);

// "(red,green,blue)", for assertion messages.
std::string ShowColour(const PaletteColour& colour);

// The screen (a copy taken earlier) shows the bitmap file with its top-left
// at (x, y): every pixel a palette entry of the panel with the file's colour
// there. Pixels beyond the screen are left out.
::testing::AssertionResult BitmapShownAt(const std::vector<std::uint8_t>& screen, const std::string& path,
                                         int x, int y);

}  // namespace pixtest
