// Filled rectangles and lines stored straight into the locked screen, cut at its edges.
#pragma once

#include <algorithm>
#include <cstring>

#include "canvas/locked_screen.h"
#include "canvas/screen_layout.h"

inline void FillRect(const LockedScreen& screen, layout::ScreenRect rect, int colour) {
  rect.left = std::max(rect.left, 0);
  rect.top = std::max(rect.top, 0);
  rect.right = std::min(rect.right, screen.width);
  rect.bottom = std::min(rect.bottom, screen.height);
  if (rect.left >= rect.right) {
    return;
  }
  for (int y = rect.top; y < rect.bottom; ++y) {
    std::memset(screen.Row(y) + rect.left, colour, static_cast<std::size_t>(rect.right - rect.left));
  }
}

// Both ends included.
inline void HorizontalLine(const LockedScreen& screen, int left, int right, int y, int colour) {
  FillRect(screen, {left, y, right + 1, y + 1}, colour);
}

inline void VerticalLine(const LockedScreen& screen, int x, int top, int bottom, int colour) {
  FillRect(screen, {x, top, x + 1, bottom + 1}, colour);
}
