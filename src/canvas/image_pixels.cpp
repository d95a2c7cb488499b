// Image pixels on the screen: the paint step shared by the pen and the tools.
#include "canvas/image_pixels.h"

#include "canvas/screen_layout.h"

void PaintImagePixel(const LockedScreen& screen, std::int64_t column, std::int64_t row, int colour) {
  const layout::ScreenPixel block = layout::GridBlock(column, row);
  for (int dy = 0; dy < layout::kGridPitch; ++dy) {
    for (int dx = 0; dx < layout::kGridPitch; ++dx) {
      screen.Put(block.x + dx, block.y + dy, colour);
    }
  }
  const layout::ScreenPixel working = layout::WorkingPixel(column, row);
  screen.Put(working.x, working.y, colour);
}

std::uint8_t WorkingViewIndex(const LockedScreen& screen, int column, int row) {
  const layout::ScreenPixel working = layout::WorkingPixel(column, row);
  return screen.Row(static_cast<int>(working.y))[working.x];
}
