// Drawing the 800 x 600 screen into an SDL renderer at the letterbox's scale,
// so that every screen pixel looks the same size whatever the window's size.
// The program itself scales in software (soft/frame_scaler.h) into the window's
// surface; the tests hold that scaler to what a renderer draws here.
#pragma once

#include <SDL.h>

#include "../soft/screen_fit.h"

namespace plat::sdl {

using soft::Letterbox;
using soft::ScalePlan;
using soft::Scaling;
using soft::ScalingFromName;

// Clears the output to black and draws the 800 x 600 screen texture into
// plan.dest. A whole multiple is drawn with nearest sampling. Any other scale
// is area sampled ("sharp bilinear"): the screen is drawn with nearest
// sampling at plan.factor times into work (a render target made, or made
// again, at that size) and work is fitted into dest with linear filtering;
// at a factor of 1, or when the renderer cannot keep such a target, the
// screen is filtered into dest directly.
// False when SDL fails to draw.
bool DrawScreen(SDL_Renderer* renderer, SDL_Texture* screen, SDL_Texture*& work, const ScalePlan& plan);

}  // namespace plat::sdl
