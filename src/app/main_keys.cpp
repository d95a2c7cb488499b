// The keys the main loop acts on, read once a pass.
#include "app/main_keys.h"

#include <array>
#include <cstdint>

#include "platform/input.h"

namespace {

// Every key a feature of the main loop asks for. A key not read at every
// pass would keep a press made long before (in an entry, say) for the pass
// that first reads it.
constexpr std::array kLoopKeys = {
    plat::VK_SHIFT, plat::VK_CONTROL,  plat::VK_RETURN,    plat::VK_HOME, plat::VK_END,
    plat::VK_LEFT,  plat::VK_UP,       plat::VK_RIGHT,     plat::VK_DOWN, plat::VK_B,
    plat::VK_G,     plat::VK_H,        plat::VK_L,         plat::VK_S,    plat::VK_U,
    plat::VK_V,     plat::VK_ADD,      plat::VK_SUBTRACT,  plat::VK_F1,   plat::VK_OEM_4,
    plat::VK_OEM_6, plat::VK_OEM_PLUS, plat::VK_OEM_MINUS,
};

struct KeyRead {
  bool down = false;
  bool pressed = false;
};

std::array<KeyRead, 256> keys;

bool AsyncDown(int virtualKey) {
  return (static_cast<std::uint16_t>(plat::GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
}

const KeyRead& Read(int virtualKey) {
  static const KeyRead none;
  return virtualKey >= 0 && virtualKey < 256 ? keys[static_cast<std::size_t>(virtualKey)] : none;
}

}  // namespace

void ReadMainKeys() {
  for (const int key : kLoopKeys) {
    KeyRead& read = keys[static_cast<std::size_t>(key)];
    const bool down = AsyncDown(key);
    read.pressed = down && !read.down;
    read.down = down;
  }
}

bool MainKeyPressed(int virtualKey) {
  return Read(virtualKey).pressed;
}

bool MainKeyDown(int virtualKey) {
  return Read(virtualKey).down;
}

bool AnyMainKeyPressed() {
  for (const int key : kLoopKeys) {
    if (MainKeyPressed(key)) {
      return true;
    }
  }
  return false;
}

void ForgetMainKeys() {
  for (const int key : kLoopKeys) {
    KeyRead& read = keys[static_cast<std::size_t>(key)];
    // Down now, or pressed and let go since the last read: seen as held,
    // so it presses again only after a read has found it up.
    read.down = AsyncDown(key);
    read.pressed = false;
  }
}
