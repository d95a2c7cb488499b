// Laying images out as one picture: a single image, or a sprite sheet of
// cells in rows with a 1-pixel gap between them, enlarged by a whole factor.
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

}  // namespace pixtool
