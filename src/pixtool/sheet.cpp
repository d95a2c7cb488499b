// Sprite sheets: cells of scaled images with a gap between them, drawn and read back;
// the cells left empty after the last image known by the gap's colour.
#include "pixtool/sheet.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace pixtool {

namespace {

// The sides of from, from + 1, ... cells of cell pixels with their gaps, up
// to cells of them: "a", "a or b", "a, b or c", or "a, b, c, ..." for more.
std::string Sides(std::size_t cell, std::size_t from, std::size_t to) {
  std::string text;
  const std::size_t last = std::min(to, from + 2);
  for (std::size_t n = from; n <= last; ++n) {
    text += n == from ? "" : (n == last && last == to ? " or " : ", ");
    text += std::to_string(n * (cell + 1) - 1);
  }
  return last < to ? text + ", ..." : text;
}

// Whether a side of length pixels is a whole number of cells with their gaps; how many.
bool CellsAlong(std::size_t length, std::size_t cell, std::size_t& cells) {
  cells = (length + 1) / (cell + 1);
  return cells >= 1 && cells * (cell + 1) == length + 1;
}

// Whether pixel p of the picture is opaque and of the colour. A palette index
// beyond the picture's palette is of no colour.
bool SameOpaqueColour(const PngPixels& png, std::size_t p, PaletteColour colour) {
  if (!png.indexed) {
    const std::uint8_t* pixel = png.rgba.data() + 4 * p;
    return pixel[0] == colour.red && pixel[1] == colour.green && pixel[2] == colour.blue && pixel[3] == 255;
  }
  const std::uint8_t index = png.indices[p];
  return index < png.palette.size() && png.paletteAlpha[index] == 255 &&
         png.palette[index].red == colour.red && png.palette[index].green == colour.green &&
         png.palette[index].blue == colour.blue;
}

}  // namespace

bool FindSheetLayout(ImageSize size, int scale, std::size_t columns, std::size_t sheetWidth,
                     std::size_t sheetHeight, SheetLayout& layout, std::string& error) {
  const std::string sheetText = std::to_string(sheetWidth) + " x " + std::to_string(sheetHeight);
  if (sheetWidth > kMaxPictureSide || sheetHeight > kMaxPictureSide ||
      sheetWidth * sheetHeight > kMaxSheetPixels) {
    error = "is " + sheetText + " pixels, more than pixtool reads (" + std::to_string(kMaxSheetPixels) +
            " pixels)";
    return false;
  }
  layout.cellWidth = static_cast<std::size_t>(size.width) * static_cast<std::size_t>(scale);
  layout.cellHeight = static_cast<std::size_t>(size.height) * static_cast<std::size_t>(scale);
  layout.width = sheetWidth;
  layout.height = sheetHeight;
  const bool fits = CellsAlong(sheetWidth, layout.cellWidth, layout.columns) &&
                    CellsAlong(sheetHeight, layout.cellHeight, layout.rows) && layout.columns <= columns &&
                    (layout.rows == 1 || layout.columns == columns);
  if (fits) {
    return true;
  }
  const std::size_t fullWidth = columns * (layout.cellWidth + 1) - 1;
  error = "is " + sheetText + " pixels, which fits no sheet of " + std::to_string(size.width) + " x " +
          std::to_string(size.height) + " images at scale " + std::to_string(scale) + " in " +
          std::to_string(columns) + (columns == 1 ? " column" : " columns") + ": one row is " +
          std::to_string(layout.cellHeight) + " high and " + Sides(layout.cellWidth, 1, columns) +
          " wide; more rows are " + std::to_string(fullWidth) + " wide and " +
          Sides(layout.cellHeight, 2, SIZE_MAX) + " high";
  return false;
}

PaletteColour SheetGapColour(const PngPixels& png, const SheetLayout& layout, const PaletteColours& colours) {
  if (layout.rows > 1 && SameOpaqueColour(png, layout.cellHeight * layout.width, colours[kOldGapIndex])) {
    return colours[kOldGapIndex];
  }
  return colours[kGapIndex];
}

std::size_t EmptyCellsAtEnd(const PngPixels& png, const SheetLayout& layout, PaletteColour gap) {
  std::size_t empty = 0;
  const std::size_t cells = layout.columns * layout.rows;
  while (layout.rows > 1 && empty + 1 < layout.columns) {
    const CellPlace cell = CellAt(layout, cells - 1 - empty);
    for (std::size_t y = 0; y < layout.cellHeight; ++y) {
      const std::size_t row = (cell.top + y) * layout.width + cell.left;
      for (std::size_t x = 0; x < layout.cellWidth; ++x) {
        if (!SameOpaqueColour(png, row + x, gap)) {
          return empty;
        }
      }
    }
    ++empty;
  }
  return empty;
}

PngPixels TakeCells(PngPixels png, const SheetLayout& layout, std::size_t count) {
  if (layout.columns * layout.rows == 1) {
    return png;
  }
  const std::size_t channels = png.indexed ? 1 : 4;
  Bytes& from = png.indexed ? png.indices : png.rgba;
  Bytes cells;
  cells.reserve(count * layout.cellWidth * layout.cellHeight * channels);
  for (std::size_t n = 0; n < count; ++n) {
    const CellPlace cell = CellAt(layout, n);
    for (std::size_t y = 0; y < layout.cellHeight; ++y) {
      const auto start =
          from.begin() + static_cast<std::ptrdiff_t>(((cell.top + y) * layout.width + cell.left) * channels);
      cells.insert(cells.end(), start, start + static_cast<std::ptrdiff_t>(layout.cellWidth * channels));
    }
  }
  from = std::move(cells);
  png.width = static_cast<int>(layout.cellWidth);
  png.height = static_cast<int>(count * layout.cellHeight);
  return png;
}

SheetImages ShrinkCells(const Bytes& cells, std::size_t count, ImageSize size, int scale) {
  const auto factor = static_cast<std::size_t>(scale);
  const auto width = static_cast<std::size_t>(size.width);
  const auto height = static_cast<std::size_t>(size.height);
  const std::size_t cellWidth = width * factor;
  SheetImages images;
  images.count = count;
  images.bytes.resize(count * size.Bytes());
  for (std::size_t n = 0; n < count; ++n) {
    const std::uint8_t* cell = cells.data() + n * size.Bytes() * factor * factor;
    std::uint8_t* image = images.bytes.data() + n * size.Bytes();
    for (std::size_t y = 0; y < height; ++y) {
      for (std::size_t x = 0; x < width; ++x) {
        const std::uint8_t* block = cell + y * factor * cellWidth + x * factor;
        bool mixed = false;
        for (std::size_t dy = 0; dy < factor; ++dy) {
          for (std::size_t dx = 0; dx < factor; ++dx) {
            mixed = mixed || block[dy * cellWidth + dx] != block[0];
          }
        }
        image[y * width + x] = block[0];
        images.mixedPixels += mixed ? 1 : 0;
      }
    }
  }
  return images;
}

}  // namespace pixtool
