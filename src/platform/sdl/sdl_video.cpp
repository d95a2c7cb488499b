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
  const char* asked = SDL_getenv("SDL_VIDEODRIVER");
  asked = asked != nullptr && *asked != '\0' ? asked : nullptr;
  const char* display = SDL_getenv("DISPLAY");
  display = display != nullptr && *display != '\0' ? display : nullptr;
  if (InitVideo()) {
    // A driver asked for by name is taken as it is, the invisible ones too.
    if (asked != nullptr || !Invisible(SDL_GetCurrentVideoDriver())) {
      return true;
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
  if (display == nullptr || (asked != nullptr && SDL_strcasecmp(asked, "x11") != 0)) {
    // Without a display SDL falls back to drawing nowhere: an editor nobody
    // can see or end.
    if (asked == nullptr) {
      SDL_SetError("no display to show the editor on (is DISPLAY set?)");
    }
    return Report(nullptr);
  }
  // An X server that loses its last client resets itself and drops whoever
  // connects meanwhile (Xvfb and bare X servers do, between two programs);
  // SDL then takes its invisible driver. The display is there: knock again.
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  bool opened = false;
  for (int attempt = 0; attempt < kX11Attempts && !opened; ++attempt) {
    SDL_Delay(kX11RetryMs);
    opened = InitVideo();
  }
  SDL_ResetHint(SDL_HINT_VIDEODRIVER);
  return opened || Report(display);
}

}  // namespace plat::sdl
