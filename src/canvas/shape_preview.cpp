// A dragged shape on the screen, and the screen bytes under it.
#include "canvas/shape_preview.h"

#include <cstring>

#include "canvas/image_pixels.h"

void ShapePreview::Show(const LockedScreen& screen, const CellList& cells, int colour) {
  for (const ImageCell& cell : cells) {
    KeptCell kept{};
    kept.block = GridBlockOnScreen(screen, cell.column, cell.row);
    const auto width = static_cast<std::size_t>(kept.block.right - kept.block.left);
    for (int y = kept.block.top; y < kept.block.bottom && width > 0; ++y) {
      std::memcpy(kept.blockBytes.data() + static_cast<std::size_t>(y - kept.block.top) * width,
                  screen.Row(y) + kept.block.left, width);
    }
    const layout::ScreenPixel working = layout::WorkingPixel(cell.column, cell.row);
    kept.workingOnScreen = screen.OnScreen(working.x, working.y);
    if (kept.workingOnScreen) {
      kept.workingX = static_cast<std::int32_t>(working.x);
      kept.workingY = static_cast<std::int32_t>(working.y);
      kept.workingByte = screen.Row(kept.workingY)[kept.workingX];
    }
    kept_.push_back(kept);
    PaintImagePixel(screen, cell.column, cell.row, colour);
  }
}

void ShapePreview::PutBack(const LockedScreen& screen) {
  // Each cell's working-view pixel was painted after its block: it goes back first.
  for (auto kept = kept_.rbegin(); kept != kept_.rend(); ++kept) {
    if (kept->workingOnScreen) {
      screen.Row(kept->workingY)[kept->workingX] = kept->workingByte;
    }
    const auto width = static_cast<std::size_t>(kept->block.right - kept->block.left);
    for (int y = kept->block.top; y < kept->block.bottom && width > 0; ++y) {
      std::memcpy(screen.Row(y) + kept->block.left,
                  kept->blockBytes.data() + static_cast<std::size_t>(y - kept->block.top) * width, width);
    }
  }
  kept_.clear();
}
