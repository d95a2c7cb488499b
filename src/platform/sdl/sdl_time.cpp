// The clock and waiting while the window keeps answering.
#include <SDL.h>

#include <algorithm>

#include "../system.h"
#include "sdl_backend.h"

namespace plat {

void Sleep(std::uint32_t ms) {
  sdl::State().keys.Paused(ms);
  // The window is answered and the screen presented at every refresh
  // throughout the wait (the settings messages wait two seconds).
  const std::uint64_t end = SDL_GetTicks64() + ms;
  sdl::Pump(false);
  for (std::uint64_t now = SDL_GetTicks64(); now < end; now = SDL_GetTicks64()) {
    if (!sdl::WaitForEvent(end - now)) {
      // No window to wait on.
      SDL_Delay(static_cast<Uint32>(std::min<std::uint64_t>(end - now, 4)));
    }
    sdl::Pump(false);
  }
}

std::uint64_t GetTickCount64() {
  return SDL_GetTicks64();
}

}  // namespace plat
