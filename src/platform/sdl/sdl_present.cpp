// Showing the primary surface in the window: only when it changed (looked at
// once a refresh, or when asked), and only the window rows that show what changed. The
// screen is scaled in software into the window's picture and copied to the
// window's own surface, which SDL hands to the window system a band at a
// time: a small change (the images playing in the reference view) costs
// little at any window size, with or without a graphics card.
#include <algorithm>
#include <climits>

#include "../display.h"
#include "../soft/screen.h"
#include "sdl_backend.h"

namespace plat::sdl {
namespace {

// Scales screen rows first to last into the picture; widens [top, bottom) to
// the window rows drawn.
void DrawScreenRows(Backend& state, int first, int last, int* top, int* bottom) {
  int from = 0;
  int to = 0;
  state.scaler.WindowRowsShowing(first, last, &from, &to);
  state.scaler.DrawRows(state.shown, from, to, state.picture.data());
  if (from < to) {
    *top = std::min(*top, from);
    *bottom = std::max(*bottom, to);
  }
}

bool SameBox(const Letterbox& a, const Letterbox& b) {
  return a.num == b.num && a.den == b.den && a.offsetX == b.offsetX && a.offsetY == b.offsetY &&
         a.windowWidth == b.windowWidth && a.windowHeight == b.windowHeight;
}

// A picture of the window's size, black, with the whole screen drawn in it.
void LayOut(Backend& state, const Letterbox& box) {
  state.box = box;
  state.picture.assign(static_cast<std::size_t>(box.windowWidth) * static_cast<std::size_t>(box.windowHeight),
                       0);
  state.scaler.Prepare(box, soft::PlanScale(box));
  int top = INT_MAX;
  int bottom = 0;
  if (state.shown.valid) {
    DrawScreenRows(state, 0, kScreenHeight - 1, &top, &bottom);
  }
}

// Copies window rows [top, bottom) of the picture to the window. False when
// the surface cannot take them.
bool Show(const Backend& state, SDL_Surface* surface, int top, int bottom) {
  if (top >= bottom) {
    return true;
  }
  if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
    return false;
  }
  const int width = state.box.windowWidth;
  const bool copied =
      SDL_ConvertPixels(
          width, bottom - top, SDL_PIXELFORMAT_RGB888,
          state.picture.data() + static_cast<std::size_t>(top) * static_cast<std::size_t>(width), width * 4,
          surface->format->format,
          static_cast<std::uint8_t*>(surface->pixels) + static_cast<std::ptrdiff_t>(top) * surface->pitch,
          surface->pitch) == 0;
  if (SDL_MUSTLOCK(surface)) {
    SDL_UnlockSurface(surface);
  }
  const SDL_Rect band{0, top, width, bottom - top};
  return copied && SDL_UpdateWindowSurfaceRects(state.window, &band, 1) == 0;
}

}  // namespace

void PresentIfDue(bool look) {
  Backend& state = State();
  if (state.window == nullptr) {
    return;
  }
  const std::uint64_t now = SDL_GetTicks64();
  if (!look && !state.pacing.CaptureDue(now)) {
    return;
  }
  const soft::ScreenView view = soft::CurrentScreen();
  const bool changed = CaptureFrame(state.shown, view, soft::BuildColourTable(view.palette));
  state.pacing.Captured(now, changed);
  if (!changed && !state.presentNeeded) {
    return;
  }
  // The surface follows the window's size (SDL makes it again after a resize).
  SDL_Surface* surface = SDL_GetWindowSurface(state.window);
  if (surface == nullptr || surface->w < 1 || surface->h < 1) {
    state.presentNeeded = true;
    return;
  }
  const Letterbox box = MakeLetterbox(surface->w, surface->h, state.scaling);
  int top = INT_MAX;
  int bottom = 0;
  if (state.presentNeeded || !SameBox(box, state.box) || state.picture.empty()) {
    LayOut(state, box);
    top = 0;
    bottom = box.windowHeight;
  } else {
    for (int y = 0; y < kScreenHeight;) {
      if (state.shown.changedRows[static_cast<std::size_t>(y)] == 0) {
        ++y;
        continue;
      }
      const int first = y;
      while (y < kScreenHeight && state.shown.changedRows[static_cast<std::size_t>(y)] != 0) {
        ++y;
      }
      DrawScreenRows(state, first, y - 1, &top, &bottom);
    }
  }
  // Until it is on the screen, the captured frame counts as not shown.
  state.presentNeeded = !Show(state, surface, top, bottom);
}

}  // namespace plat::sdl
