// The headless backend's side of the platform: scripted input, virtual time, recorded sounds.
#include <string>

#include "../backend.h"
#include "../input.h"
#include "../system.h"
#include "../window.h"
#include "machine.h"

namespace plat::backend {

using headless::TheMachine;

void Trace(std::string_view call) {
  if (TheMachine().logging) {
    TheMachine().log.emplace_back(call);
  }
}

bool ShouldFail(std::string_view call) {
  const auto& failing = TheMachine().failing;
  return failing.find(call) != failing.end();
}

void PumpEvents() {}

bool WindowCreated(const char* /*title*/, int /*x*/, int /*y*/, int /*width*/, int /*height*/,
                   std::uint32_t /*style*/) {
  TheMachine().windowAlive = true;
  return true;
}

void WindowDestroyed() {
  TheMachine().windowAlive = false;
}

void DisplayModeChanged(bool exclusive800x600x8) {
  TheMachine().displayExclusive = exclusive800x600x8;
}

bool ReadMouse(DIMOUSESTATE* state) {
  auto& script = TheMachine().mouseScript;
  if (script.empty()) {
    *state = DIMOUSESTATE{};
    return true;
  }
  *state = script.front();
  script.pop_front();
  return true;
}

bool ReadKeyboard(std::uint8_t keys[256]) {
  if (!TheMachine().keyboardFocus) {
    return false;
  }
  auto& script = TheMachine().keyboardScript;
  if (script.empty()) {
    for (int i = 0; i < 256; ++i) {
      keys[i] = 0;
    }
    keys[DIK_RETURN] = 0x80;
    return true;
  }
  for (int i = 0; i < 256; ++i) {
    keys[i] = script.front()[static_cast<std::size_t>(i)];
  }
  script.pop_front();
  return true;
}

}  // namespace plat::backend

namespace plat {

using headless::TheMachine;

std::int16_t GetAsyncKeyState(int virtualKey) {
  const std::string call = virtualKey == VK_ESCAPE ? "GetAsyncKeyState(VK_ESCAPE)"
                                                   : "GetAsyncKeyState(" + std::to_string(virtualKey) + ")";
  backend::Trace(call);
  constexpr auto kDown = static_cast<std::int16_t>(-32768);  // bit 15
  headless::Machine& machine = TheMachine();
  if (virtualKey != VK_ESCAPE || backend::ShouldFail(call)) {
    return 0;
  }
  if (!machine.escapeScript.empty()) {
    const bool down = machine.escapeScript.front();
    machine.escapeScript.pop_front();
    return down ? kDown : 0;
  }
  // Once every script has run out, Escape ends the run.
  return machine.mouseScript.empty() && machine.keyboardScript.empty() ? kDown : 0;
}

bool SetCursorPos(int x, int y) {
  const std::string call = "SetCursorPos(" + std::to_string(x) + "," + std::to_string(y) + ")";
  backend::Trace(call);
  headless::Machine& machine = TheMachine();
  ++machine.setCursorPosCalls;
  if (backend::ShouldFail(call)) {
    return false;
  }
  // The system keeps its cursor on the screen and inside the clip.
  RECT bounds = {0, 0, 800, 600};
  if (machine.clipped) {
    bounds = machine.clip;
  }
  machine.cursor.x = x < bounds.left ? bounds.left : (x >= bounds.right ? bounds.right - 1 : x);
  machine.cursor.y = y < bounds.top ? bounds.top : (y >= bounds.bottom ? bounds.bottom - 1 : y);
  return true;
}

bool ClipCursor(const RECT* rect) {
  headless::Machine& machine = TheMachine();
  const std::string call =
      rect == nullptr ? std::string("ClipCursor(null)")
                      : "ClipCursor(" + std::to_string(rect->left) + "," + std::to_string(rect->top) + "," +
                            std::to_string(rect->right) + "," + std::to_string(rect->bottom) + ")";
  backend::Trace(call);
  if (backend::ShouldFail(call)) {
    return false;
  }
  if (rect == nullptr) {
    machine.clipped = false;
    return true;
  }
  RECT clip = *rect;
  clip.left = clip.left < 0 ? 0 : clip.left;
  clip.top = clip.top < 0 ? 0 : clip.top;
  clip.right = clip.right > 800 ? 800 : clip.right;
  clip.bottom = clip.bottom > 600 ? 600 : clip.bottom;
  if (clip.left >= clip.right || clip.top >= clip.bottom) {
    return false;
  }
  machine.clipped = true;
  machine.clip = clip;
  const POINT at = machine.cursor;
  machine.cursor.x = at.x < clip.left ? clip.left : (at.x >= clip.right ? clip.right - 1 : at.x);
  machine.cursor.y = at.y < clip.top ? clip.top : (at.y >= clip.bottom ? clip.bottom - 1 : at.y);
  return true;
}

void Sleep(std::uint32_t ms) {
  // A sleep cannot fail; it is only logged.
  backend::Trace("Sleep(" + std::to_string(ms) + ")");
  TheMachine().clock += ms;
}

std::uint64_t GetTickCount64() {
  return TheMachine().clock;
}

bool PlaySoundA(int resource, HINSTANCE /*module*/, std::uint32_t /*flags*/) {
  const std::string call = "PlaySoundA(" + std::to_string(resource) + ")";
  backend::Trace(call);
  if (backend::ShouldFail(call) || FindProgramResource(resource, "WAVE") == nullptr) {
    return false;
  }
  TheMachine().sounds.push_back(headless::SoundPlayed{resource, TheMachine().clock});
  return true;
}

}  // namespace plat
