// Sprite sheets drawn: cells of scaled images with a gap between them.
#include "export/sheet_layout.h"

#include <algorithm>

namespace pixexport {

bool PlanSheet(ImageSize size, std::size_t count, std::size_t columns, int scale, SheetLayout& layout,
               std::string& error) {
  const auto factor = static_cast<std::size_t>(scale);
  layout.columns = std::clamp<std::size_t>(std::min(columns, count), 1, kMaxPictureSide);
  layout.rows = std::max<std::size_t>(1, (count + layout.columns - 1) / layout.columns);
  layout.cellWidth = static_cast<std::size_t>(size.width) * factor;
  layout.cellHeight = static_cast<std::size_t>(size.height) * factor;
  // Sides, scales, columns and a file's images are all bounded: no product here overflows 64 bits.
  layout.width = layout.columns * layout.cellWidth + (layout.columns - 1);
  layout.height = layout.rows * layout.cellHeight + (layout.rows - 1);
  if (layout.width > kMaxPictureSide || layout.height > kMaxPictureSide ||
      layout.width * layout.height > kMaxPicturePixels) {
    error = "the picture would be " + std::to_string(layout.width) + " x " + std::to_string(layout.height) +
            " pixels, more than pixtool makes (" + std::to_string(kMaxPictureSide) + " a side, " +
            std::to_string(kMaxPicturePixels) + " in all); use --sheet with more columns, or fewer images";
    return false;
  }
  return true;
}

CellPlace CellAt(const SheetLayout& layout, std::size_t n) {
  return {(n % layout.columns) * (layout.cellWidth + 1), (n / layout.columns) * (layout.cellHeight + 1)};
}

IndexedImage DrawSheet(const PixFile& file, std::size_t first, std::size_t count, const SheetLayout& layout,
                       int scale) {
  IndexedImage picture;
  picture.width = static_cast<int>(layout.width);
  picture.height = static_cast<int>(layout.height);
  picture.pixels.assign(layout.width * layout.height, kGapIndex);
  const auto factor = static_cast<std::size_t>(scale);
  const auto width = static_cast<std::size_t>(file.size.width);
  const auto height = static_cast<std::size_t>(file.size.height);
  for (std::size_t n = 0; n < count; ++n) {
    const std::uint8_t* image = file.Image(first + n);
    const CellPlace cell = CellAt(layout, n);
    for (std::size_t y = 0; y < height * factor; ++y) {
      std::uint8_t* row = picture.pixels.data() + (cell.top + y) * layout.width + cell.left;
      const std::uint8_t* source = image + (y / factor) * width;
      for (std::size_t x = 0; x < width * factor; ++x) {
        row[x] = source[x / factor];
      }
    }
  }
  return picture;
}

}  // namespace pixexport
