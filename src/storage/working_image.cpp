// The working view's colours matched to the swatches, as Save and Ctrl+S write them.
#include "storage/working_image.h"

#include <algorithm>
#include <new>

#include "app/editor_state.h"
#include "canvas/screen_layout.h"
#include "canvas/swatch_colours.h"

bool ReadWorkingImage(plat::HDC dc, WorkingImage& image) {
  const std::size_t columns = static_cast<std::size_t>(std::max(editorState.width, 0));
  const std::size_t rows = static_cast<std::size_t>(std::max(editorState.height, 0));
  image.size = columns * rows;
  image.indices.reset(new (std::nothrow) std::uint8_t[std::max<std::size_t>(image.size, 1)]);
  if (image.indices == nullptr) {
    image.size = 0;
    return false;
  }
  const SwatchColours swatches(dc);
  int index = 0;
  // Neighbouring pixels mostly share a colour: remember the last one's match.
  plat::COLORREF lastColour = plat::GetPixel(dc, layout::kWorkingView.x, layout::kWorkingView.y);
  int lastMatch = swatches.Match(lastColour);
  std::uint8_t* out = image.indices.get();
  for (std::size_t row = 0; row < rows; ++row) {
    for (std::size_t column = 0; column < columns; ++column) {
      const layout::ScreenPixel at =
          layout::WorkingPixel(static_cast<std::int64_t>(column), static_cast<std::int64_t>(row));
      const plat::COLORREF colour = plat::GetPixel(dc, static_cast<int>(at.x), static_cast<int>(at.y));
      if (colour != lastColour) {
        lastColour = colour;
        lastMatch = swatches.Match(colour);
      }
      if (lastMatch >= 0) {
        index = lastMatch;
      }
      *out++ = static_cast<std::uint8_t>(index);
    }
  }
  return true;
}
