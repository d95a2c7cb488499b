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
  constexpr struct {
    int pair;
    std::uint8_t left, right;
  } kSides[] = {{VK_CONTROL, sdl::kVkLeftControl, sdl::kVkRightControl},
                {VK_SHIFT, sdl::kVkLeftShift, sdl::kVkRightShift},
                {VK_MENU, sdl::kVkLeftAlt, sdl::kVkRightAlt}};
  bool down = false;
  bool paired = false;
  for (const auto& sides : kSides) {
    if (virtualKey == sides.pair) {
      // Both sides are read, so neither keeps a press for a later call.
      const bool left = keys.Take(sides.left);
      const bool right = keys.Take(sides.right);
      down = left || right;
      paired = true;
    }
  }
  if (!paired && virtualKey > 0) {
    down = keys.Take(static_cast<std::size_t>(virtualKey));
  }
  return down ? static_cast<std::int16_t>(0x8000) : std::int16_t{0};
}

}  // namespace plat
