// TextOutA: one 8 x 16 glyph cell per byte, clipped to the surface.
#include <algorithm>
#include <array>
#include <cstring>

#include "font.h"
#include "gdi_colour.h"
#include "gdi_internal.h"

namespace plat {

namespace {

// A glyph row byte spread over eight pixel bytes: 0xFF where a bit is set,
// bit 7 on the leftmost (lowest addressed) byte.
const std::array<std::uint64_t, 256>& RowMasks() {
  static const std::array<std::uint64_t, 256> masks = [] {
    std::array<std::uint64_t, 256> table{};
    for (int bits = 0; bits < 256; ++bits) {
      std::uint8_t bytes[8];
      for (int column = 0; column < 8; ++column) {
        bytes[column] = (bits & (0x80 >> column)) ? 0xFF : 0x00;
      }
      std::memcpy(&table[bits], bytes, sizeof bytes);
    }
    return table;
  }();
  return masks;
}

struct TextColours {
  std::uint8_t text;
  std::uint8_t background;
  bool opaque;
};

// A cell wholly inside the surface's width: eight pixels per row at once.
void DrawWholeCell(DeviceContext& dc, const std::uint8_t* glyph, std::int64_t x, std::int64_t firstRow,
                   std::int64_t endRow, std::int64_t y, const TextColours& colours) {
  const auto& masks = RowMasks();
  const std::uint64_t text = 0x0101010101010101ull * colours.text;
  const std::uint64_t background = 0x0101010101010101ull * colours.background;
  for (std::int64_t row = firstRow; row < endRow; ++row) {
    std::uint8_t* pixels = dc.pixels + (y + row) * dc.pitch + x;
    const std::uint64_t mask = masks[glyph[row]];
    std::uint64_t under;
    if (colours.opaque) {
      under = background;
    } else {
      std::memcpy(&under, pixels, sizeof under);
    }
    const std::uint64_t result = (text & mask) | (under & ~mask);
    std::memcpy(pixels, &result, sizeof result);
  }
}

// A cell cut by the left or right edge: pixel by pixel.
void DrawCutCell(DeviceContext& dc, const std::uint8_t* glyph, std::int64_t x, std::int64_t firstRow,
                 std::int64_t endRow, std::int64_t y, const TextColours& colours) {
  const std::int64_t firstColumn = std::max<std::int64_t>(0, -x);
  const std::int64_t endColumn = std::min<std::int64_t>(kGlyphWidth, dc.width - x);
  for (std::int64_t row = firstRow; row < endRow; ++row) {
    std::uint8_t* pixels = dc.pixels + (y + row) * dc.pitch;
    for (std::int64_t column = firstColumn; column < endColumn; ++column) {
      if (glyph[row] & (0x80 >> column)) {
        pixels[x + column] = colours.text;
      } else if (colours.opaque) {
        pixels[x + column] = colours.background;
      }
    }
  }
}

}  // namespace

bool TextOutA(HDC dc, int x, int y, const char* text, int length) {
  if (!soft::Drawable(dc) || length < 0 || (text == nullptr && length > 0)) {
    return false;
  }
  const std::int64_t firstRow = std::max<std::int64_t>(0, -static_cast<std::int64_t>(y));
  const std::int64_t endRow = std::min<std::int64_t>(kGlyphHeight, static_cast<std::int64_t>(dc->height) - y);
  if (length == 0 || firstRow >= endRow) {
    return true;
  }
  // Cells i with x + 8 i + 8 > 0 and x + 8 i < width.
  const std::int64_t left = x;
  const std::int64_t firstCell = left < 0 ? -left / kGlyphWidth : 0;
  const std::int64_t room = static_cast<std::int64_t>(dc->width) - left;
  const std::int64_t endCell =
      std::min<std::int64_t>(length, room > 0 ? (room + kGlyphWidth - 1) / kGlyphWidth : 0);

  TextColours colours;
  colours.text = soft::MapColour(*dc, dc->textColour);
  colours.background = soft::MapColour(*dc, dc->backgroundColour);
  colours.opaque = dc->backgroundMode != TRANSPARENT;
  for (std::int64_t i = firstCell; i < endCell; ++i) {
    const std::uint8_t* glyph = soft::fontGlyphs[static_cast<unsigned char>(text[i])];
    const std::int64_t cellX = left + i * kGlyphWidth;
    if (cellX >= 0 && cellX + kGlyphWidth <= dc->width) {
      DrawWholeCell(*dc, glyph, cellX, firstRow, endRow, y, colours);
    } else {
      DrawCutCell(*dc, glyph, cellX, firstRow, endRow, y, colours);
    }
  }
  return true;
}

}  // namespace plat
