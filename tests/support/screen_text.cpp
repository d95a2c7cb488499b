// Reading text back from the screen by matching its 8 x 16 glyph cells.
#include "screen_text.h"

#include "platform/headless/headless.h"
#include "platform/soft/font.h"

namespace pixtest {

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// The palette index the font puts at (column, row) of the cell of glyph c.
std::uint8_t GlyphPixel(unsigned char c, int column, int row, std::uint8_t ink) {
  return (plat::soft::fontGlyphs[c][row] & (0x80 >> column)) != 0 ? ink : 0;
}

// Whether the cell at (x, y) shows glyph c.
bool CellShows(const std::vector<std::uint8_t>& screen, int x, int y, unsigned char c, std::uint8_t ink) {
  for (int row = 0; row < 16; ++row) {
    for (int column = 0; column < 8; ++column) {
      const int px = x + column;
      const int py = y + row;
      if (px < 0 || py < 0 || px >= kWidth || py >= kHeight ||
          screen[static_cast<std::size_t>(py) * kWidth + px] != GlyphPixel(c, column, row, ink)) {
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
  if (screen.size() != static_cast<std::size_t>(kWidth) * kHeight) {
    return text;
  }
  for (int i = 0; i < count; ++i) {
    char found = '?';
    for (int c = 32; c < 127; ++c) {
      if (CellShows(screen, x + 8 * i, y, static_cast<unsigned char>(c), ink)) {
        found = static_cast<char>(c);
        break;
      }
    }
    text += found;
  }
  return text;
}

::testing::AssertionResult TextShownAt(const std::vector<std::uint8_t>& screen, const std::string& text,
                                       int x, int y, std::uint8_t ink) {
  if (screen.size() != static_cast<std::size_t>(kWidth) * kHeight) {
    return ::testing::AssertionFailure() << "no screen to read \"" << text << "\" from";
  }
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    for (int row = 0; row < 16; ++row) {
      for (int column = 0; column < 8; ++column) {
        const int px = x + 8 * static_cast<int>(i) + column;
        const int py = y + row;
        if (px < 0 || py < 0 || px >= kWidth || py >= kHeight) {
          continue;
        }
        const std::uint8_t shown = screen[static_cast<std::size_t>(py) * kWidth + px];
        const std::uint8_t expected = GlyphPixel(c, column, row, ink);
        if (shown != expected) {
          return ::testing::AssertionFailure()
                 << "\"" << text << "\" is not shown at (" << x << ", " << y << "): pixel (" << px << ", "
                 << py << ") of '" << text[i] << "' is " << int{shown} << ", expected " << int{expected};
        }
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace pixtest
