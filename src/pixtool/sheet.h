// Reading images back from one picture that export drew (export/sheet_layout.h):
// a single image, or a sprite sheet of cells in rows with a 1-pixel gap between
// them, enlarged by a whole factor.
#pragma once

#include <cstddef>
#include <string>

#include "canvas/palette_table.h"
#include "export/png_io.h"
#include "export/sheet_layout.h"
#include "pixtool/pix_images.h"

namespace pixtool {

// The gaps of sheets written before: black, index 0.
inline constexpr std::uint8_t kOldGapIndex = 0;
// Largest picture pixtool reads back: four bytes a pixel while its colours are read.
inline constexpr std::size_t kMaxSheetPixels = std::size_t{1} << 26;

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
