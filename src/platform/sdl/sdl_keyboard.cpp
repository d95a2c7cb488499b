// The keyboard: the entries' 256 key bytes and the asynchronous key state.
#include "../input.h"
#include "../soft/backend.h"
#include "sdl_backend.h"
#include "sdl_keymap.h"

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
  backend::PumpEvents();
  sdl::PressLatch<256>& keys = sdl::State().asyncKeys;
  bool down = false;
  if (virtualKey == VK_CONTROL || virtualKey == VK_SHIFT) {
    // Both sides are read, so neither keeps a press for a later call.
    const bool left = keys.Take(virtualKey == VK_CONTROL ? sdl::kVkLeftControl : sdl::kVkLeftShift);
    const bool right = keys.Take(virtualKey == VK_CONTROL ? sdl::kVkRightControl : sdl::kVkRightShift);
    down = left || right;
  } else if (virtualKey > 0) {
    down = keys.Take(static_cast<std::size_t>(virtualKey));
  }
  return down ? static_cast<std::int16_t>(0x8000) : std::int16_t{0};
}

}  // namespace plat
