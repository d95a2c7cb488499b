// The two 1:1 views of an image: an image that fits their frames is shown
// whole at 1:1, a larger one reduced by the least whole factor that fits it,
// each view pixel the image pixel at its top left.
#pragma once

#include <algorithm>
#include <cstdint>

#include "canvas/screen_layout.h"

// The factor a view of an image of width x height is reduced by (1: none).
constexpr int ViewFactor(int width, int height) {
  const int across = (std::max(width, 1) + layout::kShownColumns - 1) / layout::kShownColumns;
  const int down = (std::max(height, 1) + layout::kShownRows - 1) / layout::kShownRows;
  return std::max(across, down);
}

// The image pixel a screen position in the view whose pixel (0, 0) lies at
// view shows; found is false off the image's picture.
struct ViewPick {
  bool found;
  int column;
  int row;
};
constexpr ViewPick ViewPixelAt(layout::ScreenPoint view, std::int64_t x, std::int64_t y, int width,
                               int height) {
  const int factor = ViewFactor(width, height);
  const std::int64_t across = x - view.x;
  const std::int64_t down = y - view.y;
  if (across < 0 || down < 0 || across >= layout::kShownColumns || down >= layout::kShownRows) {
    return {false, 0, 0};
  }
  const std::int64_t column = across * factor;
  const std::int64_t row = down * factor;
  if (column >= width || row >= height) {
    return {false, 0, 0};
  }
  return {true, static_cast<int>(column), static_cast<int>(row)};
}
