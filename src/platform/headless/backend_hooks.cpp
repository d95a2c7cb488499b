// The headless backend's side of the platform: scripted input, virtual time, recorded sounds.
#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <utility>

#include "../display.h"
#include "../input.h"
#include "../pace.h"
#include "../soft/backend.h"
#include "../soft/editor_pass.h"
#include "../soft/end_request.h"
#include "../soft/pointer_track.h"
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

namespace {

void CountInputRead() {
  std::size_t& reads = TheMachine().readsUntilEnd;
  if (reads > 0 && --reads == 0) {
    soft::RequestEnd();
  }
}

// The virtual key that each scan code of the keyboard script also presses in the asynchronous key
// state (0 for none): the keys of HoldKeys' rule in headless.h.
constexpr std::array<std::uint8_t, 256> TypedKeys() {
  std::array<std::uint8_t, 256> keys{};
  const auto both = [&keys](std::uint8_t left, std::uint8_t right, int virtualKey) {
    keys[left] = keys[right] = static_cast<std::uint8_t>(virtualKey);
  };
  both(DIK_LCONTROL, 0x9D, VK_CONTROL);
  both(DIK_LSHIFT, DIK_RSHIFT, VK_SHIFT);
  both(DIK_LMENU, 0xB8, VK_MENU);
  constexpr std::string_view kLetterRows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
  constexpr std::uint8_t kRowStarts[] = {DIK_Q, DIK_A, DIK_Z};
  for (std::size_t row = 0; row < 3; ++row) {
    for (std::size_t i = 0; i < kLetterRows[row].size(); ++i) {
      keys[kRowStarts[row] + i] = static_cast<std::uint8_t>(kLetterRows[row][i]);
    }
  }
  for (int digit = 1; digit <= 9; ++digit) {
    keys[DIK_1 + digit - 1] = static_cast<std::uint8_t>(VK_0 + digit);
  }
  keys[DIK_0] = VK_0;
  for (int f = 0; f < 10; ++f) {
    keys[0x3B + f] = static_cast<std::uint8_t>(VK_F1 + f);
  }
  keys[0x57] = VK_F11;
  keys[0x58] = VK_F12;
  keys[DIK_SPACE] = VK_SPACE;
  keys[0xD3] = VK_DELETE;
  keys[0xC9] = VK_PRIOR;
  keys[0xD1] = VK_NEXT;
  keys[DIK_LBRACKET] = VK_OEM_4;
  keys[DIK_RBRACKET] = VK_OEM_6;
  return keys;
}

constexpr std::array<std::uint8_t, 256> kTypedKeys = TypedKeys();

}  // namespace

bool ReadMouse(DIMOUSESTATE* state) {
  CountInputRead();
  auto& script = TheMachine().mouseScript;
  if (script.empty()) {
    *state = TheMachine().source != nullptr ? TheMachine().source->NextMouse() : DIMOUSESTATE{};
    return true;
  }
  *state = script.front();
  script.pop_front();
  return true;
}

bool ReadKeyboard(std::uint8_t keys[256]) {
  CountInputRead();
  if (!TheMachine().keyboardFocus) {
    return false;
  }
  auto& script = TheMachine().keyboardScript;
  std::array<std::uint8_t, 256> state = {};
  if (script.empty() && TheMachine().source != nullptr) {
    state = TheMachine().source->NextKeyboard();
  } else if (script.empty()) {
    state[DIK_RETURN] = TheMachine().enterReadDown ? 0x00 : 0x80;
  } else {
    state = script.front();
    script.pop_front();
  }
  TheMachine().enterReadDown = (state[DIK_RETURN] & 0x80) != 0;
  std::copy(state.begin(), state.end(), keys);
  // The same keys reach the asynchronous key state.
  for (std::size_t code = 0; code < state.size(); ++code) {
    if (kTypedKeys[code] != 0 && (state[code] & 0x80) != 0) {
      TheMachine().keysTyped[kTypedKeys[code]] = true;
    }
  }
  return true;
}

}  // namespace plat::backend

namespace plat {

using headless::TheMachine;

namespace {

constexpr RECT kScreen = {0, 0, kScreenWidth, kScreenHeight};

}  // namespace

std::int16_t GetAsyncKeyState(int virtualKey) {
  constexpr auto kDown = static_cast<std::int16_t>(-32768);  // bit 15
  headless::Machine& machine = TheMachine();
  // The loop asks for a few dozen keys a pass: the call is named only when
  // the log or a failure wants it.
  if (machine.logging || !machine.failing.empty()) {
    std::string name = std::to_string(virtualKey);
    for (const auto& [key, keyName] :
         {std::pair{VK_ESCAPE, "VK_ESCAPE"}, std::pair{VK_CONTROL, "VK_CONTROL"},
          std::pair{VK_SHIFT, "VK_SHIFT"}, std::pair{VK_Y, "VK_Y"}, std::pair{VK_Z, "VK_Z"}}) {
      if (virtualKey == key) {
        name = keyName;
      }
    }
    const std::string call = "GetAsyncKeyState(" + name + ")";
    backend::Trace(call);
    if (backend::ShouldFail(call)) {
      return 0;
    }
  }
  if (virtualKey < 0 || virtualKey > 255) {
    return 0;
  }
  if (virtualKey != VK_ESCAPE) {
    const auto key = static_cast<std::size_t>(virtualKey);
    const bool typed = machine.keysTyped[key];
    machine.keysTyped[key] = false;
    const bool fromSource = machine.source != nullptr && machine.source->NextKey(virtualKey);
    return machine.keysHeld[key] || typed || fromSource ? kDown : 0;
  }
  if (!machine.escapeScript.empty()) {
    const bool down = machine.escapeScript.front();
    machine.escapeScript.pop_front();
    return down ? kDown : 0;
  }
  if (machine.source != nullptr) {
    return machine.source->NextEscape() ? kDown : 0;
  }
  // Once every script has run out, Escape ends the run: pressed anew at
  // every other read, so that one which cancelled a prompt is let go too.
  const bool down = machine.mouseScript.empty() && machine.keyboardScript.empty() && !machine.escapeReadDown;
  machine.escapeReadDown = down;
  return down ? kDown : 0;
}

void BeginEditorPass() {
  backend::Trace("BeginEditorPass");
  soft::CountEditorPass();
}

bool SetCursorPos(int x, int y) {
  const std::string call = "SetCursorPos(" + std::to_string(x) + "," + std::to_string(y) + ")";
  backend::Trace(call);
  headless::Machine& machine = TheMachine();
  ++machine.setCursorPosCalls;
  if (backend::ShouldFail(call)) {
    return false;
  }
  // The system keeps its cursor inside the clip and on the screen.
  const POINT target = soft::ConfinedTarget(POINT{x, y}, machine.clipped ? &machine.clip : nullptr);
  machine.cursor = soft::ClampToRect(target, kScreen);
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
  machine.clipped = true;
  machine.clip = *rect;
  machine.cursor = soft::ClampToRect(soft::ClampToRect(machine.cursor, *rect), kScreen);
  return true;
}

void Sleep(std::uint32_t ms) {
  // A sleep cannot fail; it is only logged.
  backend::Trace("Sleep(" + std::to_string(ms) + ")");
  if (TheMachine().sleepObserver != nullptr) {
    TheMachine().sleepObserver(ms);
  }
  TheMachine().clock += ms;
}

std::uint64_t GetTickCount64() {
  return TheMachine().clock;
}

// Nothing waits here: the time is kept for the tests to read.
void WantPassBy(std::uint64_t tickMs) {
  TheMachine().passWantedBy = tickMs;
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
