// The mouse and keyboard as the editor reads them, and the cursor it cannot move.
#include "../input.h"
#include "../soft/backend.h"
#include "../system.h"
#include "../window.h"
#include "web_backend.h"
#include "web_keymap.h"

namespace plat::backend {

bool ReadMouse(DIMOUSESTATE* state) {
  web::Backend& backend = web::State();
  if (state == nullptr) {
    return false;
  }
  // Until the page has seen the pointer the cursor stays where it was put.
  const POINT now = backend.pointerSeen
                        ? soft::ConfinedTarget(backend.pointerAt, backend.clipped ? &backend.clip : nullptr)
                        : backend.pointer.known;
  const POINT motion = soft::TakeMotion(backend.pointer, now);
  backend.wholeScreenDrawn = backend.wholeScreenDrawn || backend.passesBegun;
  *state = DIMOUSESTATE{};
  state->lX = motion.x;
  state->lY = motion.y;
  state->lZ = soft::TakeWheel(backend.pointer);
  for (std::size_t i = 0; i < 4; ++i) {
    state->rgbButtons[i] = backend.buttons.Take(i) ? 0x80 : 0x00;
  }
  return true;
}

bool ReadKeyboard(std::uint8_t keys[256]) {
  if (keys == nullptr || !web::State().focused) {
    return false;
  }
  web::State().keys.Read(keys, plat::GetTickCount64());
  return true;
}

}  // namespace plat::backend

namespace plat {

std::int16_t GetAsyncKeyState(int virtualKey) {
  web::Backend& backend = web::State();
  bool down = false;
  for (const std::uint8_t code : web::ScanCodesForVirtualKey(virtualKey)) {
    // Each latch is taken, so a press of either key is seen once.
    down = (code != 0 && backend.asyncKeys.Take(code)) || down;
  }
  return down ? static_cast<std::int16_t>(0x8000) : std::int16_t{0};
}

// The browser moves its pointer only itself: the cursor is where the editor
// put it until the next read, which takes it to the pointer again.
bool SetCursorPos(int x, int y) {
  web::Backend& backend = web::State();
  soft::NoteWarp(backend.pointer,
                 soft::ConfinedTarget(POINT{x, y}, backend.clipped ? &backend.clip : nullptr));
  return true;
}

bool ClipCursor(const RECT* rect) {
  web::Backend& backend = web::State();
  backend.clipped = rect != nullptr;
  if (rect != nullptr) {
    backend.clip = *rect;
  }
  return true;
}

}  // namespace plat
