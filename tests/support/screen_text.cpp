// Reading text back from the screen by matching its 8 x 16 glyph cells.
#include "screen_text.h"

#include <vector>

#include "platform/headless/headless.h"
#include "platform/soft/font.h"

namespace pixtest {

namespace {

// Whether the cell at (x, y) shows glyph c: ink exactly where the glyph has
// bits, black everywhere else.
bool CellShows(const std::vector<std::uint8_t>& screen, int x, int y, int c, std::uint8_t ink) {
  for (int row = 0; row < 16; ++row) {
    for (int column = 0; column < 8; ++column) {
      const int px = x + column;
      const int py = y + row;
      if (px < 0 || py < 0 || px >= 800 || py >= 600) {
        return false;
      }
      const bool bit = (plat::soft::fontGlyphs[c][row] & (0x80 >> column)) != 0;
      const std::uint8_t pixel = screen[static_cast<std::size_t>(py) * 800 + px];
      if (pixel != (bit ? ink : 0)) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

std::string ReadScreenText(int x, int y, int count, std::uint8_t ink) {
  const std::vector<std::uint8_t> screen = plat::headless::Screen();
  std::string text;
  if (screen.size() != 800u * 600u) {
    return text;
  }
  for (int i = 0; i < count; ++i) {
    char found = '?';
    for (int c = 32; c < 127; ++c) {
      if (CellShows(screen, x + 8 * i, y, c, ink)) {
        found = static_cast<char>(c);
        break;
      }
    }
    text += found;
  }
  return text;
}

}  // namespace pixtest
