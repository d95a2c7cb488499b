// The button bitmaps as the tests read them, with a reader of their own apart from the program's.
#include "panel_bmp.h"

#include <algorithm>
#include <cstdlib>

#include "file_bytes.h"

namespace pixtest {

namespace {

std::uint32_t Le(const std::uint8_t* at, int bytes) {
  std::uint32_t value = 0;
  for (int b = bytes - 1; b >= 0; --b) {
    value = (value << 8) | at[b];
  }
  return value;
}

bool SameColour(const PaletteColour& a, const PaletteColour& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

bool InPalette(const PaletteColour& c) {
  return std::any_of(fixedColours.begin(), fixedColours.end(),
                     [&](const PaletteColour& p) { return SameColour(p, c); });
}

}  // namespace

std::string ShowColour(const PaletteColour& c) {
  return "(" + std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue) + ")";
}

PanelBitmap ReadPanelBmp(const std::string& path) {
  PanelBitmap image;
  const Bytes b = ReadFileBytes(path);
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || Le(&b[2], 4) != b.size() || Le(&b[14], 4) != 40) {
    image.fault = "not a BMP file with a BITMAPINFOHEADER and the right size field";
    return image;
  }
  image.width = static_cast<std::int32_t>(Le(&b[18], 4));
  const auto height = static_cast<std::int32_t>(Le(&b[22], 4));
  image.height = std::abs(height);
  image.bits = static_cast<int>(Le(&b[28], 2));
  const std::uint32_t colours = Le(&b[46], 4) == 0 ? 256 : Le(&b[46], 4);
  const std::uint32_t offset = Le(&b[10], 4);
  const std::size_t stride = (static_cast<std::size_t>(image.width) + 3) / 4 * 4;
  if (image.bits != 8 || Le(&b[30], 4) != 0 || colours != 256 || image.width <= 0 ||
      offset < 54 + 4 * colours || offset + stride * static_cast<std::size_t>(image.height) > b.size()) {
    image.fault = "not uncompressed 8-bit with 256 colours, or the pixels run past the end";
    return image;
  }
  std::vector<PaletteColour> table;
  for (std::uint32_t i = 0; i < colours; ++i) {
    const PaletteColour c{b[54 + 4 * i + 2], b[54 + 4 * i + 1], b[54 + 4 * i]};
    if (!InPalette(c)) {
      image.fault =
          "colour table entry " + std::to_string(i) + " " + ShowColour(c) + " is not a panel colour";
      return image;
    }
    table.push_back(c);
  }
  for (int y = 0; y < image.height; ++y) {
    const int row = height > 0 ? image.height - 1 - y : y;
    for (int x = 0; x < image.width; ++x) {
      image.pixels.push_back(
          table[b[offset + static_cast<std::size_t>(row) * stride + static_cast<std::size_t>(x)]]);
    }
  }
  return image;
}

::testing::AssertionResult BitmapShownAt(const std::vector<std::uint8_t>& screen, const std::string& path,
                                         int x, int y) {
  constexpr int kWidth = 800;
  constexpr int kHeight = 600;
  const PanelBitmap bitmap = ReadPanelBmp(path);
  if (!bitmap.fault.empty()) {
    return ::testing::AssertionFailure() << path << ": " << bitmap.fault;
  }
  if (screen.size() != static_cast<std::size_t>(kWidth) * kHeight) {
    return ::testing::AssertionFailure() << "no screen to find " << path << " on";
  }
  for (int row = 0; row < bitmap.height; ++row) {
    for (int column = 0; column < bitmap.width; ++column) {
      const int px = x + column;
      const int py = y + row;
      if (px < 0 || py < 0 || px >= kWidth || py >= kHeight) {
        continue;
      }
      const std::uint8_t shown = screen[static_cast<std::size_t>(py) * kWidth + px];
      const PaletteColour& expected = bitmap.At(column, row);
      if (shown >= fixedColours.size() || !SameColour(fixedColours[shown], expected)) {
        return ::testing::AssertionFailure()
               << path << " is not shown at (" << x << ", " << y << "): pixel (" << px << ", " << py
               << ") is palette entry " << int{shown} << ", the file has " << ShowColour(expected);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace pixtest
