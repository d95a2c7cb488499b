// The clock and waiting while the window keeps answering.
#include <SDL.h>

#include <algorithm>

#include "../soft/backend.h"
#include "../system.h"

namespace plat {

void Sleep(std::uint32_t ms) {
  // Short slices: the screen is presented and the window system answered
  // throughout a wait (the settings messages wait two seconds).
  constexpr std::uint64_t kSliceMs = 4;
  const std::uint64_t end = SDL_GetTicks64() + ms;
  for (;;) {
    backend::PumpEvents();
    const std::uint64_t now = SDL_GetTicks64();
    if (now >= end) {
      return;
    }
    SDL_Delay(static_cast<Uint32>(std::min(end - now, kSliceMs)));
  }
}

std::uint64_t GetTickCount64() {
  return SDL_GetTicks64();
}

}  // namespace plat
