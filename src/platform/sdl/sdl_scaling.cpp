// Nearest sampling for whole multiples; "sharp bilinear" for the rest.
#include "sdl_scaling.h"

#include <algorithm>

#include "../display.h"

namespace plat::sdl {
namespace {

bool Copy(SDL_Renderer* renderer, SDL_Texture* texture, SDL_ScaleMode mode, const SDL_Rect* dest) {
  return SDL_SetTextureScaleMode(texture, mode) == 0 && SDL_RenderCopy(renderer, texture, nullptr, dest) == 0;
}

// work at width x height as a render target, or null when the renderer has
// none to give.
SDL_Texture* WorkTexture(SDL_Renderer* renderer, SDL_Texture*& work, int width, int height) {
  int w = 0;
  int h = 0;
  if (work != nullptr && SDL_QueryTexture(work, nullptr, nullptr, &w, &h) == 0 && w == width && h == height) {
    return work;
  }
  if (work != nullptr) {
    SDL_DestroyTexture(work);
    work = nullptr;
  }
  if (!SDL_RenderTargetSupported(renderer)) {
    return nullptr;
  }
  work = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, width, height);
  if (work != nullptr) {
    SDL_SetTextureBlendMode(work, SDL_BLENDMODE_NONE);
  }
  return work;
}

}  // namespace

bool DrawScreen(SDL_Renderer* renderer, SDL_Texture* screen, SDL_Texture*& work, const ScalePlan& plan) {
  const SDL_Rect dest{plan.dest.x, plan.dest.y, plan.dest.w, plan.dest.h};
  const int width = kScreenWidth * plan.factor;
  const int height = kScreenHeight * plan.factor;
  SDL_SetTextureBlendMode(screen, SDL_BLENDMODE_NONE);
  SDL_Texture* target = nullptr;
  const bool whole = plan.dest.w == width && plan.dest.h == height;
  if (!whole && plan.factor > 1) {
    target = WorkTexture(renderer, work, width, height);
  }
  if (target != nullptr) {
    if (SDL_SetRenderTarget(renderer, target) != 0 ||
        !Copy(renderer, screen, SDL_ScaleModeNearest, nullptr)) {
      SDL_SetRenderTarget(renderer, nullptr);
      return false;
    }
  }
  if (SDL_SetRenderTarget(renderer, nullptr) != 0 || SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255) != 0 ||
      SDL_RenderClear(renderer) != 0) {
    return false;
  }
  if (target != nullptr) {
    return Copy(renderer, target, SDL_ScaleModeLinear, &dest);
  }
  return Copy(renderer, screen, whole ? SDL_ScaleModeNearest : SDL_ScaleModeLinear, &dest);
}

}  // namespace plat::sdl
