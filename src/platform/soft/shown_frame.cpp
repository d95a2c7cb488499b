// Palette expansion of the 8-bit screen and change detection between frames.
#include "shown_frame.h"

#include <algorithm>
#include <cstring>

#include "../display.h"

namespace plat::soft {

ColourTable BuildColourTable(const PALETTEENTRY* palette, PixelOrder order) {
  ColourTable table;
  for (std::size_t i = 0; i < table.size(); ++i) {
    std::uint32_t rgb = 0;
    if (palette != nullptr) {
      const std::uint32_t red = palette[i].peRed;
      const std::uint32_t blue = palette[i].peBlue;
      const std::uint32_t green = palette[i].peGreen;
      rgb = order == PixelOrder::Argb ? (red << 16) | (green << 8) | blue : (blue << 16) | (green << 8) | red;
    }
    table[i] = 0xFF000000u | rgb;
  }
  return table;
}

bool CaptureFrame(ShownFrame& frame, const ScreenView& view, const ColourTable& colours) {
  constexpr std::size_t kSize = std::size_t{kScreenWidth} * kScreenHeight;
  bool changed = !frame.valid || frame.colours != colours;
  if (frame.pixels.size() != kSize) {
    frame.pixels.assign(kSize, 0);
    changed = true;
  }
  frame.changedRows.assign(kScreenHeight, changed ? 1 : 0);
  const bool usable = view.pixels != nullptr && view.width > 0 && view.height > 0 && view.pitch >= view.width;
  const int width = usable ? std::min(view.width, kScreenWidth) : 0;
  const int height = usable ? std::min(view.height, kScreenHeight) : 0;
  for (int y = 0; y < kScreenHeight; ++y) {
    std::uint8_t* row = frame.pixels.data() + std::size_t{kScreenWidth} * y;
    if (y < height) {
      const std::uint8_t* source = view.pixels + static_cast<std::size_t>(view.pitch) * y;
      if (std::memcmp(row, source, width) != 0) {
        std::memcpy(row, source, width);
        frame.changedRows[y] = 1;
        changed = true;
      }
    }
    // Whatever the primary does not cover is black.
    const int from = y < height ? width : 0;
    const auto blank = std::find_if(row + from, row + kScreenWidth, [](std::uint8_t p) { return p != 0; });
    if (blank != row + kScreenWidth) {
      std::fill(row + from, row + kScreenWidth, 0);
      frame.changedRows[y] = 1;
      changed = true;
    }
  }
  frame.colours = colours;
  frame.valid = true;
  return changed;
}

void ExpandFrame(const ShownFrame& frame, void* out, int pitch) {
  if (frame.pixels.size() != std::size_t{kScreenWidth} * kScreenHeight || out == nullptr ||
      pitch < kScreenWidth * 4) {
    return;
  }
  auto* base = static_cast<std::uint8_t*>(out);
  for (int y = 0; y < kScreenHeight; ++y) {
    const std::uint8_t* source = frame.pixels.data() + std::size_t{kScreenWidth} * y;
    std::uint32_t rowPixels[kScreenWidth];
    for (int x = 0; x < kScreenWidth; ++x) {
      rowPixels[x] = frame.colours[source[x]];
    }
    std::memcpy(base + static_cast<std::size_t>(pitch) * y, rowPixels, sizeof(rowPixels));
  }
}

}  // namespace plat::soft
