// Laying images out as one picture: a single image, or a sprite sheet of
// cells in rows with a 1-pixel gap between them, enlarged by a whole factor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "export/pix_images.h"
#include "export/png_io.h"

namespace pixexport {

// The index of the gaps and of the empty cells after the last image: one the
// editor never paints (above 80), so that no image is taken for an empty cell,
// of a loud magenta (247, 55, 254) that no other palette entry shows, so that
// the frames' edges stand out and the gap is known by its colour too.
inline constexpr std::uint8_t kGapIndex = 116;
// Largest side of a picture made: what image programs commonly open.
inline constexpr std::size_t kMaxPictureSide = 1000000;
inline constexpr std::size_t kMaxPicturePixels = std::size_t{1} << 28;

struct SheetLayout {
  std::size_t columns = 1;
  std::size_t rows = 1;
  std::size_t cellWidth = 0;  // an image's width times the scale
  std::size_t cellHeight = 0;
  std::size_t width = 0;  // of the whole picture, gaps included
  std::size_t height = 0;
};

// The layout of count images in rows of columns cells (fewer when fewer images),
// each scale times enlarged. False with pixtool's message when the picture would
// be too large; the layout then still tells its size.
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

}  // namespace pixexport
