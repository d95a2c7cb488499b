// Laying images out as one picture, and reading them back from one: a single
// image, or a sprite sheet of cells in rows with a 1-pixel gap between them,
// enlarged by a whole factor.
#pragma once

#include <cstddef>
#include <string>

#include "pixtool/pix_images.h"
#include "pixtool/png_io.h"

namespace pixtool {

// The index of the gaps and of the empty cells after the last image: black,
// as the editor's screen round its views.
inline constexpr std::uint8_t kGapIndex = 0;
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

struct SheetImages {
  Bytes bytes;  // the images one after another, as a pix file holds them
  std::size_t count = 0;
  // Cells of the last row wholly of the gap index after the last image:
  // DrawSheet's empty cells, left out.
  std::size_t emptyCells = 0;
  // Enlarged pixels not all of one index: the top-left one of each is taken.
  std::size_t mixedPixels = 0;
};

// The images of a picture of palette indices laid out as layout says, in
// order. The gaps are not read.
SheetImages CutSheet(const Bytes& picture, const SheetLayout& layout, ImageSize size, int scale);

}  // namespace pixtool
