// The clock and waiting while the window keeps answering.
#include <SDL.h>

#include <algorithm>

#include "../system.h"
#include "sdl_backend.h"

namespace plat {

void Sleep(std::uint32_t ms) {
  sdl::State().keys.Paused(ms);
  // The pump waits for events and wakes for every refresh: the screen is
  // presented and the window system answered throughout a wait (the
  // settings messages wait two seconds).
  const std::uint64_t end = SDL_GetTicks64() + ms;
  for (;;) {
    const bool waited = sdl::Pump(end, true);
    const std::uint64_t now = SDL_GetTicks64();
    if (now >= end) {
      return;
    }
    if (!waited) {
      // No window to wait on.
      SDL_Delay(static_cast<Uint32>(std::min<std::uint64_t>(end - now, 4)));
    }
  }
}

std::uint64_t GetTickCount64() {
  return SDL_GetTicks64();
}

}  // namespace plat
