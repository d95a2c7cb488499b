// The keyboard: the entries' 256 key bytes and the asynchronous Escape state.
#include "../input.h"
#include "../soft/backend.h"
#include "sdl_backend.h"

namespace plat::sdl {
namespace {

bool HasKeyboardFocus() {
  SDL_Window* window = State().window;
  return window != nullptr && SDL_GetKeyboardFocus() == window;
}

}  // namespace
}  // namespace plat::sdl

namespace plat::backend {

bool ReadKeyboard(std::uint8_t keys[256]) {
  if (keys == nullptr || !sdl::HasKeyboardFocus()) {
    return false;
  }
  sdl::State().keys.Read(keys, SDL_GetTicks64());
  return true;
}

}  // namespace plat::backend

namespace plat {

std::int16_t GetAsyncKeyState(int virtualKey) {
  if (virtualKey != VK_ESCAPE) {
    return 0;
  }
  backend::PumpEvents();
  return sdl::State().asyncKeys.Take(DIK_ESCAPE) ? static_cast<std::int16_t>(0x8000) : std::int16_t{0};
}

}  // namespace plat
