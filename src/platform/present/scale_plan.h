// How the 800 x 600 screen is scaled into its letterbox: the scaling named by
// PIXED_SCALING, the shown rectangle and the whole multiple drawn first.
// Shared by the sdl and win32 backends.
#pragma once

#include "letterbox.h"

namespace plat::present {

// The PIXED_SCALING setting: "whole" for whole multiples; area sampling
// otherwise. known is false for a value that is neither "area" nor "whole"
// (letters of either case).
Scaling ScalingFromName(const char* name, bool* known);

// The screen's place in the output (as SDL_RenderSetLogicalSize would put it)
// and the whole multiple it is first drawn at (at least 1). The screen is
// drawn with nearest sampling at factor times, and that is fitted into dest
// with linear filtering ("sharp bilinear"); when dest is that size already,
// the nearest sampling is all.
struct ScalePlan {
  WindowRect dest;
  int factor;
};
ScalePlan PlanScale(const Letterbox& box);

}  // namespace plat::present
