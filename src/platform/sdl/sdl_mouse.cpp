// The mouse: relative motion from the system pointer, latched buttons,
// moving and confining the pointer.
#include <algorithm>

#include "../soft/backend.h"
#include "../window.h"
#include "sdl_backend.h"

namespace plat::sdl {
namespace {

// The pointer's screen position and the buttons down. Over the window, what
// its events left: they follow every move, whoever made it, and cost no
// round trip to the X server. Off the window, the global state; SDL
// refreshes that only on raw device motion, so it would miss pointer moves
// made by other programs (XWarpPointer) if it were used over the window.
POINT PointerOnScreen(std::uint32_t* buttonMask) {
  SDL_Window* window = State().window;
  int x = 0;
  int y = 0;
  if (SDL_GetMouseFocus() == window) {
    *buttonMask = SDL_GetMouseState(&x, &y);
  } else {
    int globalX = 0;
    int globalY = 0;
    *buttonMask = SDL_GetGlobalMouseState(&globalX, &globalY);
    int windowX = 0;
    int windowY = 0;
    SDL_GetWindowPosition(window, &windowX, &windowY);
    x = globalX - windowX;
    y = globalY - windowY;
  }
  return WindowToScreen(CurrentLetterbox(), x, y);
}

std::uint8_t ButtonByte(bool down) {
  return down ? 0x80 : 0x00;
}

}  // namespace
}  // namespace plat::sdl

namespace plat::backend {

bool ReadMouse(DIMOUSESTATE* state) {
  sdl::Backend& backend = sdl::State();
  if (state == nullptr || backend.window == nullptr) {
    return false;
  }
  std::uint32_t mask = 0;
  const POINT motion = soft::TakeMotion(backend.pointer, sdl::PointerOnScreen(&mask));
  *state = DIMOUSESTATE{};
  state->lX = motion.x;
  state->lY = motion.y;
  state->lZ = soft::TakeWheel(backend.pointer);
  // Down now, or clicked since the previous read.
  const std::uint32_t masks[4] = {SDL_BUTTON_LMASK, SDL_BUTTON_RMASK, SDL_BUTTON_MMASK, SDL_BUTTON_X1MASK};
  for (std::size_t i = 0; i < 4; ++i) {
    state->rgbButtons[i] = sdl::ButtonByte(backend.buttons.TakeWith(i, (mask & masks[i]) != 0));
  }
  return true;
}

}  // namespace plat::backend

namespace plat {

bool SetCursorPos(int x, int y) {
  sdl::Backend& backend = sdl::State();
  if (backend.window == nullptr) {
    return false;
  }
  // A confined pointer stays inside its rectangle, whoever moves it.
  const POINT target = soft::ConfinedTarget(POINT{x, y}, backend.clipped ? &backend.clip : nullptr);
  // The editor puts the pointer where it already is thousands of times a
  // second; only a real move may reach the window system.
  if (!soft::NeedsWarp(backend.pointer, target)) {
    return true;
  }
  const soft::Letterbox box = sdl::CurrentLetterbox();
  const POINT inWindow = soft::ScreenToWindow(box, target.x, target.y);
  SDL_WarpMouseInWindow(backend.window, std::clamp(inWindow.x, 0, box.windowWidth - 1),
                        std::clamp(inWindow.y, 0, box.windowHeight - 1));
  soft::NoteWarp(backend.pointer, target);
  return true;
}

bool ClipCursor(const RECT* rect) {
  sdl::Backend& backend = sdl::State();
  if (backend.window == nullptr) {
    return false;
  }
  backend.clipped = rect != nullptr;
  if (rect == nullptr) {
    return SDL_SetWindowMouseRect(backend.window, nullptr) == 0;
  }
  backend.clip = *rect;
  const soft::WindowRect area = soft::ScreenRectToWindow(sdl::CurrentLetterbox(), *rect);
  const SDL_Rect confined{area.x, area.y, area.w, area.h};
  return SDL_SetWindowMouseRect(backend.window, &confined) == 0;
}

}  // namespace plat
