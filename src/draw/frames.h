// The outlines of the two views and the editing grid with its marks.
#pragma once

#include <array>

#include "../canvas/screen_layout.h"
#include "../platform/display.h"

int DrawReferenceFrame(plat::DrawSurface* surface);
int DrawEditingGrid(plat::DrawSurface* surface);
int DrawWorkingFrame(plat::DrawSurface* surface);

// The closed polyline through the corners of an outline: its lines lie on
// the rectangle's left, top, right and bottom.
constexpr std::array<plat::POINT, 5> OutlinePoints(layout::ScreenRect corners) {
  return {{{corners.left, corners.top},
           {corners.right, corners.top},
           {corners.right, corners.bottom},
           {corners.left, corners.bottom},
           {corners.left, corners.top}}};
}
