// Outlines drawn with GDI's Polyline.
#pragma once

#include <array>

#include "../canvas/screen_layout.h"
#include "../platform/platform_types.h"

// The closed polyline through the corners of an outline: its lines lie on
// the rectangle's left, top, right and bottom.
constexpr std::array<plat::POINT, 5> OutlinePoints(layout::ScreenRect corners) {
  return {{{corners.left, corners.top},
           {corners.right, corners.top},
           {corners.right, corners.bottom},
           {corners.left, corners.bottom},
           {corners.left, corners.top}}};
}
