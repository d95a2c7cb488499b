// Image pixels on the screen: the paint step shared by the pen and the tools.
#include "canvas/image_pixels.h"

#include <algorithm>
#include <cstring>

layout::ScreenRect GridBlockOnScreen(const LockedScreen& screen, std::int64_t column, std::int64_t row) {
  const layout::ScreenPixel block = layout::GridBlock(column, row);
  const auto clip = [](std::int64_t value, int limit) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, limit));
  };
  return {clip(block.x, screen.width), clip(block.y, screen.height),
          clip(block.x + layout::kGridPitch, screen.width),
          clip(block.y + layout::kGridPitch, screen.height)};
}

void PaintGridBlock(const LockedScreen& screen, std::int64_t column, std::int64_t row, int colour) {
  const layout::ScreenRect block = GridBlockOnScreen(screen, column, row);
  if (block.left >= block.right) {
    return;
  }
  for (int y = block.top; y < block.bottom; ++y) {
    std::memset(screen.Row(y) + block.left, static_cast<std::uint8_t>(colour),
                static_cast<std::size_t>(block.right - block.left));
  }
}

void PaintWorkingPixel(const LockedScreen& screen, std::int64_t column, std::int64_t row, int colour) {
  const layout::ScreenPixel working = layout::WorkingPixel(column, row);
  screen.Put(working.x, working.y, colour);
}

void PaintImagePixel(const LockedScreen& screen, std::int64_t column, std::int64_t row, int colour) {
  PaintGridBlock(screen, column, row, colour);
  PaintWorkingPixel(screen, column, row, colour);
}

std::uint8_t WorkingViewIndex(const LockedScreen& screen, int column, int row) {
  const layout::ScreenPixel working = layout::WorkingPixel(column, row);
  return screen.Row(static_cast<int>(working.y))[working.x];
}
