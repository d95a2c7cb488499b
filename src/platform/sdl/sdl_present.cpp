// Showing the primary surface in the window: only when it changed, looked at
// once a refresh or when asked.
#include "../soft/screen.h"
#include "sdl_backend.h"
#include "sdl_scaling.h"

namespace plat::sdl {

void PresentIfDue(bool force) {
  Backend& state = State();
  if (state.renderer == nullptr || state.texture == nullptr) {
    return;
  }
  const std::uint64_t now = SDL_GetTicks64();
  if (!force && !state.pacing.CaptureDue(now)) {
    return;
  }
  const soft::ScreenView view = soft::CurrentScreen();
  const bool changed = CaptureFrame(state.shown, view, soft::BuildColourTable(view.palette));
  state.pacing.Captured(now, changed);
  if (!changed && !state.presentNeeded) {
    return;
  }
  // Until it is on the screen, the captured frame counts as not shown.
  state.presentNeeded = true;
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(state.texture, nullptr, &pixels, &pitch) != 0) {
    return;
  }
  ExpandFrame(state.shown, pixels, pitch);
  SDL_UnlockTexture(state.texture);
  int width = 0;
  int height = 0;
  if (SDL_GetRendererOutputSize(state.renderer, &width, &height) != 0 ||
      !DrawScreen(state.renderer, state.texture, state.work,
                  PlanScale(MakeLetterbox(width, height, state.scaling)))) {
    return;
  }
  SDL_RenderPresent(state.renderer);
  state.presentNeeded = false;
}

}  // namespace plat::sdl
