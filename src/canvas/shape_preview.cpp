// A dragged shape on the screen, and the screen bytes under it.
#include "canvas/shape_preview.h"

#include "canvas/image_pixels.h"
#include "canvas/screen_layout.h"

void ShapePreview::KeepByte(const LockedScreen& screen, std::int64_t x, std::int64_t y) {
  if (screen.OnScreen(x, y)) {
    kept_.push_back(
        {static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), screen.Row(static_cast<int>(y))[x]});
  }
}

void ShapePreview::Show(const LockedScreen& screen, const CellList& cells, int colour) {
  for (const ImageCell& cell : cells) {
    const layout::ScreenRect block = GridBlockOnScreen(screen, cell.column, cell.row);
    for (int y = block.top; y < block.bottom; ++y) {
      for (int x = block.left; x < block.right; ++x) {
        KeepByte(screen, x, y);
      }
    }
    const layout::ScreenPixel working = layout::WorkingPixel(cell.column, cell.row);
    KeepByte(screen, working.x, working.y);
    PaintImagePixel(screen, cell.column, cell.row, colour);
  }
}

void ShapePreview::PutBack(const LockedScreen& screen) {
  for (auto kept = kept_.rbegin(); kept != kept_.rend(); ++kept) {
    screen.Put(kept->x, kept->y, kept->value);
  }
  kept_.clear();
}
