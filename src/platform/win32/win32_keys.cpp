// The window's key messages into the entries' keyboard and the asynchronous key state.
#include <cstddef>

#include "../soft/entry_keyboard.h"
#include "../soft/press_latch.h"
// After the plat headers (see there).
#include "win32_keys.h"

namespace plat::win32 {
namespace {

struct Keys {
  // By set-1 scan code, as the keyboard device numbers its bytes.
  soft::EntryKeyboard entry;
  // By virtual-key code, as GetAsyncKeyState is asked.
  soft::PressLatch<256> async;
  // The program paused since the queue was last looked at.
  bool pausedSinceLook = true;
};

Keys& State() {
  static Keys keys;
  return keys;
}

// The scan code of a key message (bits 16 to 23), bit 7 set for the extended keys (bit 24) as the
// keyboard device numbers them; 0 for none. A key made up by a program may carry none: its virtual
// key tells then.
std::uint8_t ScanCode(::WPARAM virtualKey, ::LPARAM lParam) {
  auto scan = static_cast<unsigned>((lParam >> 16) & 0xFF);
  if (scan == 0) {
    scan = ::MapVirtualKeyA(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC);
  }
  if (scan == 0 || scan > 0x7F) {
    return 0;
  }
  return static_cast<std::uint8_t>(scan | ((lParam & (1L << 24)) != 0 ? 0x80 : 0x00));
}

}  // namespace

void KeyboardMessage(UINT message, ::WPARAM wParam, ::LPARAM lParam) {
  Keys& keys = State();
  if (message == WM_KILLFOCUS || (message == WM_ACTIVATEAPP && wParam == FALSE)) {
    // Presses already latched are kept for the next read.
    keys.entry.ReleaseAll();
    keys.async.ReleaseAll();
    return;
  }
  // Keys pressed while Alt is held, Alt itself and F10 come as the system's keys.
  if (!IsKeyMessage(message)) {
    return;
  }
  const std::uint8_t code = ScanCode(wParam, lParam);
  const auto virtualKey = static_cast<std::size_t>(wParam);
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
    if (code != 0) {
      keys.entry.Press(code);
    }
    keys.async.Press(virtualKey);
  } else {
    if (code != 0) {
      keys.entry.Release(code);
    }
    keys.async.Release(virtualKey);
  }
}

bool IsKeyMessage(UINT message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP;
}

void TakeKeyMessages() {
  State().pausedSinceLook = false;
  ::MSG message = {};
  while (::PeekMessageA(&message, nullptr, WM_KEYDOWN, WM_KEYUP, PM_REMOVE) != FALSE) {
    // A peek takes the quit message whatever its filter: it goes back for the main loop.
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    KeyboardMessage(message.message, message.wParam, message.lParam);
  }
}

void KeysPaused(std::uint32_t ms) {
  State().entry.Paused(ms);
  State().pausedSinceLook = true;
}

void ReadEntryKeys(std::uint8_t keys[256]) {
  TakeKeyMessages();
  State().entry.Read(keys, ::GetTickCount64());
}

bool AsyncKeyDown(int virtualKey, bool downNow) {
  if (State().pausedSinceLook) {
    TakeKeyMessages();
  }
  return virtualKey >= 0 && State().async.TakeWith(static_cast<std::size_t>(virtualKey), downNow);
}

}  // namespace plat::win32
