// The right button over the image: the colour of the pixel under the cursor becomes the current colour.
#include "app/image_pick.h"

#include "app/editor_hits.h"
#include "app/editor_state.h"
#include "canvas/screen_layout.h"
#include "canvas/swatch_colours.h"
#include "platform/gdi.h"

namespace {

struct PickedPixel {
  bool found;
  std::int32_t x;
  std::int32_t y;
};

// The image pixel of a 1:1 view under (x, y), if the view shows one there.
bool InView(layout::ScreenPoint view, std::int32_t x, std::int32_t y) {
  const std::int64_t column = static_cast<std::int64_t>(x) - view.x;
  const std::int64_t row = static_cast<std::int64_t>(y) - view.y;
  return 0 <= column && column < editorState.width && 0 <= row && row < editorState.height;
}

// The screen pixel that shows the image pixel under the cursor. In the grid
// the cursor maps to a cell as the pen maps it, and the cell's inside is read,
// never its lines.
PickedPixel ImagePixelAt(std::int32_t x, std::int32_t y) {
  if (InView(layout::kWorkingView, x, y)) {
    return {true, x, y};
  }
  if (x >= layout::kGridOrigin.x && y >= layout::kGridOrigin.y) {
    const std::int64_t column = layout::GridColumnAt(x);
    const std::int64_t row = layout::GridRowAt(y);
    if (column < editorState.width && row < editorState.height) {
      const layout::ScreenPixel cell = layout::GridCell(column, row);
      return {true, static_cast<std::int32_t>(cell.x), static_cast<std::int32_t>(cell.y)};
    }
  }
  if (InView(layout::kReferenceView, x, y)) {
    return {true, x, y};
  }
  return {false, 0, 0};
}

}  // namespace

void PickImageColour(std::int32_t x, std::int32_t y) {
  const PickedPixel pixel = ImagePixelAt(x, y);
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
