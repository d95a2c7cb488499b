// Laying images out as one picture, and reading them back from one: a single
// image, or a sprite sheet of cells in rows with a 1-pixel gap between them,
// enlarged by a whole factor.
#pragma once

#include <cstddef>
#include <string>

#include "canvas/palette_table.h"
#include "pixtool/pix_images.h"
#include "pixtool/png_io.h"

namespace pixtool {

// The index of the gaps and of the empty cells after the last image: one the
// editor never paints (above 80), so that no image is taken for an empty cell,
// of a loud magenta (247, 55, 254) that no other palette entry shows, so that
// the frames' edges stand out and the gap is known by its colour too.
inline constexpr std::uint8_t kGapIndex = 116;
// The gaps of sheets written before: black, index 0.
inline constexpr std::uint8_t kOldGapIndex = 0;
// Largest side of a picture pixtool makes: what image programs commonly open.
inline constexpr std::size_t kMaxPictureSide = 1000000;
inline constexpr std::size_t kMaxPicturePixels = std::size_t{1} << 28;
// Largest picture pixtool reads back: four bytes a pixel while its colours are read.
inline constexpr std::size_t kMaxSheetPixels = std::size_t{1} << 26;

struct SheetLayout {
  std::size_t columns = 1;
  std::size_t rows = 1;
  std::size_t cellWidth = 0;  // an image's width times the scale
  std::size_t cellHeight = 0;
  std::size_t width = 0;  // of the whole picture, gaps included
  std::size_t height = 0;
};

// The layout of count images in rows of columns cells (fewer when fewer images),
// each scale times enlarged. False with a message when the picture would be too large.
bool PlanSheet(ImageSize size, std::size_t count, std::size_t columns, int scale, SheetLayout& layout,
               std::string& error);

struct CellPlace {
  std::size_t left = 0;
  std::size_t top = 0;
};

// Where cell n (counting along the rows) starts in the picture; it is
// layout.cellWidth x layout.cellHeight pixels.
CellPlace CellAt(const SheetLayout& layout, std::size_t n);

// Images first .. first + count - 1 of the file, drawn as the layout says.
IndexedImage DrawSheet(const PixFile& file, std::size_t first, std::size_t count, const SheetLayout& layout,
                       int scale);

// How a picture of sheetWidth x sheetHeight divides into the cells DrawSheet
// lays out for images of size at scale, in rows of at most columns cells
// (one row of fewer cells, or full rows). False with a message naming the
// sizes that would fit when none does, or when the picture is larger than
// pixtool reads.
bool FindSheetLayout(ImageSize size, int scale, std::size_t columns, std::size_t sheetWidth,
                     std::size_t sheetHeight, SheetLayout& layout, std::string& error);

// The colour of the sheet's gap, which its empty cells show too: a sheet
// whose first gap row is black was written with the old black gap; any other
// has the gap of kGapIndex.
PaletteColour SheetGapColour(const PngPixels& png, const SheetLayout& layout, const PaletteColours& colours);

// Cells of the last row wholly of the gap colour, opaque, after the last
// image: DrawSheet's empty cells. Only a sheet of full rows has them, and
// never a whole row.
std::size_t EmptyCellsAtEnd(const PngPixels& png, const SheetLayout& layout, PaletteColour gap);

// The first count cells of the picture one under another, without the gaps:
// a picture cellWidth wide, with the same palette.
PngPixels TakeCells(PngPixels png, const SheetLayout& layout, std::size_t count);

struct SheetImages {
  Bytes bytes;  // the images one after another, as a pix file holds them
  std::size_t count = 0;
  // Empty cells after the last image, left out (see EmptyCellsAtEnd).
  std::size_t emptyCells = 0;
  // Enlarged pixels not all of one index: the top-left one of each is taken.
  std::size_t mixedPixels = 0;
};

// The images of count cells one under another (as TakeCells gives them, in
// palette indices), each shrunk by scale to an image of size.
SheetImages ShrinkCells(const Bytes& cells, std::size_t count, ImageSize size, int scale);

}  // namespace pixtool
