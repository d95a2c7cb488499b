// The right button over the image: the colour of the pixel under the cursor becomes the current colour.
#include "app/image_pick.h"

#include "app/editor_hits.h"
#include "app/editor_state.h"
#include "canvas/swatch_colours.h"
#include "platform/gdi.h"

namespace {

struct ScreenPixel {
  bool found;
  std::int32_t x;
  std::int32_t y;
};

bool Within(std::int64_t value, std::int64_t first, std::int64_t count) {
  return first <= value && value < first + count;
}

// The screen pixel that shows the image pixel under the cursor. In the grid
// the cursor maps to a cell as the pen maps it, and the cell's inside is read,
// never its lines.
ScreenPixel ImagePixelAt(std::int32_t x, std::int32_t y) {
  const std::int64_t width = editorState.width;
  const std::int64_t height = editorState.height;
  if (Within(x, 6, width) && Within(y, 128, height)) {
    return {true, x, y};
  }
  if (x >= 140 && y >= 5) {
    const std::int64_t column = (static_cast<std::int64_t>(x) - 140) / 5;
    const std::int64_t row = (static_cast<std::int64_t>(y) - 6) / 5;
    if (column < width && row < height) {
      return {true, static_cast<std::int32_t>(141 + 5 * column), static_cast<std::int32_t>(6 + 5 * row)};
    }
  }
  if (Within(x, 6, width) && Within(y, 6, height)) {
    return {true, x, y};
  }
  return {false, 0, 0};
}

}  // namespace

void PickImageColour(std::int32_t x, std::int32_t y) {
  const ScreenPixel pixel = ImagePixelAt(x, y);
  plat::DrawSurface* surface = displayDevice.primarySurface;
  plat::HDC dc = nullptr;
  if (!pixel.found || surface == nullptr || plat::FAILED(surface->GetDC(&dc))) {
    return;
  }
  const SwatchColours swatches(dc);
  const int index = swatches.Match(plat::GetPixel(dc, pixel.x, pixel.y));
  surface->ReleaseDC(dc);
  if (index >= 0) {
    editorState.currentColor = index;
  }
  ShowColourStatus();
}
