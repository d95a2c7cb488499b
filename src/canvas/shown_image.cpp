// The image as far as the screen shows it, read from and written to the working view.
#include "canvas/shown_image.h"

#include <algorithm>
#include <cstring>

#include "app/editor_state.h"
#include "canvas/image_history.h"
#include "canvas/image_pixels.h"
#include "canvas/screen_layout.h"

ShownImage ReadShownImage(const LockedScreen& screen) {
  ShownImage image;
  image.columns = std::clamp(editorState.width, 0, std::max(screen.width - layout::kWorkingView.x, 0));
  image.rows = std::clamp(editorState.height, 0, std::max(screen.height - layout::kWorkingView.y, 0));
  if (image.columns == 0 || image.rows == 0) {
    image.columns = 0;
    image.rows = 0;
  }
  image.pixels.resize(static_cast<std::size_t>(image.columns) * static_cast<std::size_t>(image.rows));
  for (int row = 0; row < image.rows; ++row) {
    const layout::ScreenPixel first = layout::WorkingPixel(0, row);
    std::memcpy(&image.At(0, row), screen.Row(static_cast<int>(first.y)) + first.x,
                static_cast<std::size_t>(image.columns));
  }
  return image;
}

void PaintShownImage(const LockedScreen& screen, const ShownImage& before, const ShownImage& after) {
  // Only the cells from the grid's top left to the screen's edge have a
  // block on the screen: a few thousand of an image of 999 x 999.
  const auto blocksBefore = [](int edge, int origin) {
    return std::max(edge - origin + layout::kGridPitch - 1, 0) / layout::kGridPitch;
  };
  const int blockColumns = std::min(after.columns, blocksBefore(screen.width, layout::kGridOrigin.x));
  const int blockRows = std::min(after.rows, blocksBefore(screen.height, layout::kGridOrigin.y));
  for (int row = 0; row < blockRows; ++row) {
    for (int column = 0; column < blockColumns; ++column) {
      if (after.At(column, row) != before.At(column, row)) {
        PaintGridBlock(screen, column, row, after.At(column, row));
      }
    }
  }
  for (int row = 0; row < after.rows; ++row) {
    const layout::ScreenPixel first = layout::WorkingPixel(0, row);
    std::memcpy(screen.Row(static_cast<int>(first.y)) + first.x, after.pixels.data() + after.IndexOf(0, row),
                static_cast<std::size_t>(after.columns));
  }
}

std::uint32_t ShownColour(int index) {
  const plat::PALETTEENTRY& entry = paletteTable[static_cast<std::uint8_t>(index)];
  return std::uint32_t{entry.peRed} << 16 | std::uint32_t{entry.peGreen} << 8 | entry.peBlue;
}

bool ChangeShownImage(const std::function<bool(const ShownImage& before, ShownImage& after)>& change) {
  LockedScreen screen{};
  if (!LockScreen(screen)) {
    return false;
  }
  const ShownImage before = ReadShownImage(screen);
  UnlockScreen();
  ShownImage after = before;
  if (!change(before, after)) {
    return false;
  }
  BeginImageStep();
  if (!LockScreen(screen)) {
    return false;
  }
  PaintShownImage(screen, before, after);
  UnlockScreen();
  return true;
}
