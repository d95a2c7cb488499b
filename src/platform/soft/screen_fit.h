// Where the 800 x 600 screen sits in a window or page: the scale and the bars,
// the mapping of points both ways, and the whole multiple the scaling draws at.
#pragma once

#include <cstdint>

#include "../platform_types.h"

namespace plat::soft {

// How the screen is fitted into the window. Area: as large as the window
// allows, each window pixel showing the share of each screen pixel it
// covers. Whole: the largest whole multiple that fits, every screen pixel a
// square of window pixels (area again in a window smaller than the screen).
enum class Scaling { Area, Whole };

// The screen is scaled by num / den (kept as a fraction so that a point
// taken to the window and back lands on itself exactly) and offset by the
// bars. Coordinates are window coordinates.
struct Letterbox {
  std::int64_t num;
  std::int64_t den;
  int offsetX;
  int offsetY;
  int windowWidth;
  int windowHeight;
};

// For a window of the given size (sizes below 1 count as 1). Area scaling
// lays the screen out as SDL_RenderSetLogicalSize does.
Letterbox MakeLetterbox(int windowWidth, int windowHeight, Scaling scaling = Scaling::Area);
// The screen pixel a window pixel shows (the one under its centre, as the
// renderer samples); outside the screen when the pixel is on a bar or off
// the window.
POINT WindowToScreen(const Letterbox& box, int windowX, int windowY);
// The first window pixel showing the screen pixel (x, y). For a scale of 1
// or more, WindowToScreen takes it back to (x, y).
POINT ScreenToWindow(const Letterbox& box, int x, int y);
// A screen rectangle (right and bottom excluded) as window x, y, width and
// height, kept inside the window and at least 1 x 1.
struct WindowRect {
  int x;
  int y;
  int w;
  int h;
};
WindowRect ScreenRectToWindow(const Letterbox& box, const RECT& rect);

// The screen's place in the output (as SDL_RenderSetLogicalSize would put it)
// and the whole multiple it is first drawn at with nearest sampling (at least
// 1), before a linear step fits it into dest.
struct ScalePlan {
  WindowRect dest;
  int factor;
};
ScalePlan PlanScale(const Letterbox& box);

// The PIXED_SCALING setting: "whole" for whole multiples; area sampling
// otherwise. known is false for a value that is neither "area" nor "whole"
// (in letters of either case).
Scaling ScalingFromName(const char* name, bool* known);
// The scaling the environment's PIXED_SCALING asks for. Any other value than
// those above gets a warning on the standard error, and area sampling.
Scaling ScalingFromEnvironment();

}  // namespace plat::soft
