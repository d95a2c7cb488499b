// SDL's video and event subsystems, on the display the user has.
#include <cstdio>

#include "sdl_backend.h"

namespace plat::sdl {
namespace {

// About two seconds of knocking before giving up on a named X display.
constexpr int kX11Attempts = 40;
constexpr Uint32 kX11RetryMs = 50;

bool Invisible(const char* driver) {
  return driver != nullptr && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
}

bool InitVideo() {
  return SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
}

bool Report(const char* display) {
  if (display != nullptr) {
    std::fprintf(stderr, "pixed: cannot open the display %s: %s\n", display, SDL_GetError());
  } else {
    std::fprintf(stderr, "pixed: cannot open the display: %s\n", SDL_GetError());
  }
  return false;
}

}  // namespace

bool OpenVideo() {
  // A driver asked for by name is taken as it is, the invisible ones included.
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  if (asked != nullptr && *asked != '\0') {
    return InitVideo() || Report(nullptr);
  }
  if (InitVideo()) {
    if (!Invisible(SDL_GetCurrentVideoDriver())) {
      return true;
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  // Without a display SDL falls back to drawing nowhere: an editor nobody
  // can see or end.
  const char* display = SDL_getenv("DISPLAY");
  if (display == nullptr || *display == '\0') {
    SDL_SetError("no display to show the editor on (is DISPLAY set?)");
    return Report(nullptr);
  }
  // An X server that loses its last client resets itself and drops whoever
  // connects meanwhile (Xvfb and bare X servers do, between two programs);
  // SDL then takes its invisible driver. The display is there: knock again.
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  bool opened = false;
  for (int attempt = 0; attempt < kX11Attempts && !opened; ++attempt) {
    if (attempt > 0) {
      SDL_Delay(kX11RetryMs);
    }
    opened = InitVideo();
  }
  SDL_ResetHint(SDL_HINT_VIDEODRIVER);
  return opened || Report(display);
}

}  // namespace plat::sdl
