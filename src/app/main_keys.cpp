// The main loop's keys, read once a pass, and the binding table acted on.
#include "app/main_keys.h"

#include <array>
#include <cstdint>

#include "app/key_table.h"
#include "canvas/tools.h"
#include "platform/input.h"
#include "platform/system.h"

namespace {

// A held repeating key acts again after kRepeatDelayMs, then every
// kRepeatIntervalMs: one step at a time can be watched going by and let go
// of at the one wanted.
constexpr std::uint64_t kRepeatDelayMs = 500;
constexpr std::uint64_t kRepeatIntervalMs = 100;

struct KeyRead {
  bool down = false;
  bool pressed = false;
};

std::array<KeyRead, 256> keys;
// Escape cancelled a prompt and has not been read up since.
bool escapeTaken = false;

struct Repeat {
  const KeyBinding* binding = nullptr;
  std::uint64_t at = 0;
};

Repeat repeat;

bool AsyncDown(int virtualKey) {
  return (static_cast<std::uint16_t>(plat::GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
}

const KeyRead& Read(int virtualKey) {
  static const KeyRead none;
  return virtualKey >= 0 && virtualKey < 256 ? keys[static_cast<std::size_t>(virtualKey)] : none;
}

std::uint8_t ModifiersDown() {
  return static_cast<std::uint8_t>((MainKeyDown(plat::VK_SHIFT) ? kShiftHeld : 0) |
                                   (MainKeyDown(plat::VK_CONTROL) ? kControlHeld : 0) |
                                   (MainKeyDown(plat::VK_MENU) ? kAltHeld : 0));
}

bool ModifiersMatch(const KeyBinding& binding, std::uint8_t down) {
  const std::uint8_t wanted = binding.modifiers & (kShiftHeld | kControlHeld | kAltHeld);
  if ((binding.modifiers & kAnyShift) != 0) {
    down &= static_cast<std::uint8_t>(~kShiftHeld);
  }
  return down == wanted;
}

void Act(const KeyBinding& binding) {
  if (binding.tool != nullptr) {
    ChooseTool(*binding.tool);
  } else if (binding.action != nullptr) {
    binding.action();
  }
}

}  // namespace

void ReadMainKeys() {
  for (const int key : LoopKeys()) {
    KeyRead& read = keys[static_cast<std::size_t>(key)];
    const bool down = AsyncDown(key);
    read.pressed = down && !read.down;
    read.down = down;
  }
  escapeTaken = escapeTaken && MainKeyDown(plat::VK_ESCAPE);
}

bool MainKeyPressed(int virtualKey) {
  return Read(virtualKey).pressed;
}

bool MainKeyDown(int virtualKey) {
  return Read(virtualKey).down;
}

bool AnyMainKeyPressed() {
  for (const int key : LoopKeys()) {
    if (MainKeyPressed(key)) {
      return true;
    }
  }
  return false;
}

void ForgetMainKeys() {
  for (const int key : LoopKeys()) {
    // Escape acts while it is down, not as it goes down: nothing to forget.
    if (key == plat::VK_ESCAPE) {
      continue;
    }
    KeyRead& read = keys[static_cast<std::size_t>(key)];
    // Down now, or pressed and let go since the last read: seen as held,
    // so it presses again only after a read has found it up.
    read.down = AsyncDown(key);
    read.pressed = false;
  }
  repeat = Repeat{};
}

void StartMainKeys() {
  escapeTaken = false;
  ForgetMainKeys();
}

void EscapeTakenByPrompt() {
  escapeTaken = true;
}

void FollowEveryPassKeys() {
  const std::uint8_t down = ModifiersDown();
  for (const KeyBinding& binding : KeyBindings()) {
    if (binding.key == plat::VK_ESCAPE && escapeTaken) {
      continue;
    }
    if (binding.trigger == KeyTrigger::EveryPass && MainKeyDown(binding.key) &&
        ModifiersMatch(binding, down)) {
      Act(binding);
    }
  }
}

void FollowKeyBindings(bool leftButtonDown) {
  const std::uint8_t down = ModifiersDown();
  const std::uint64_t now = plat::GetTickCount64();
  // A repeating key goes on while it and its modifiers stay down.
  if (repeat.binding != nullptr &&
      (!MainKeyDown(repeat.binding->key) || !ModifiersMatch(*repeat.binding, down))) {
    repeat = Repeat{};
  }
  for (const KeyBinding& binding : KeyBindings()) {
    if (binding.trigger == KeyTrigger::EveryPass || !MainKeyPressed(binding.key) ||
        !ModifiersMatch(binding, down) || (binding.notDuringStroke && leftButtonDown)) {
      continue;
    }
    Act(binding);
    if (binding.trigger == KeyTrigger::Repeating) {
      repeat = Repeat{&binding, now + kRepeatDelayMs};
    }
  }
  if (repeat.binding != nullptr && !MainKeyPressed(repeat.binding->key) && now >= repeat.at &&
      !(repeat.binding->notDuringStroke && leftButtonDown)) {
    repeat.at = now + kRepeatIntervalMs;
    Act(*repeat.binding);
  }
}
