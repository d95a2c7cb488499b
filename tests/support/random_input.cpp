// Random input for long runs of the whole editor on the headless backend.
#include "random_input.h"

#include <algorithm>
#include <cstdint>

#include "app/editor_state.h"
#include "platform/input.h"

namespace pixtest {
namespace {

struct Box {
  int left;
  int top;
  int right;
  int bottom;
  bool Holds(std::int64_t x, std::int64_t y) const { return left < x && x < right && top < y && y < bottom; }
};

enum class Button { Load, Save, Clear, Settings, Quad, Offset };
// The button bar's hit rectangles, Quit left out.
constexpr Box kButtons[] = {{160, 500, 249, 523}, {285, 500, 374, 523}, {410, 500, 499, 523},
                            {160, 540, 249, 563}, {285, 540, 374, 563}, {410, 540, 499, 563}};
constexpr Box kQuit = {535, 500, 624, 523};
constexpr Box kLoad = kButtons[static_cast<int>(Button::Load)];
constexpr Box kOffset = kButtons[static_cast<int>(Button::Offset)];
// The settings menu's sub-buttons (only x counts).
constexpr int kNameLeft[] = {420, 505};
constexpr int kSizeLeft = 590;
constexpr int kSubButtonWidth = 64;

constexpr std::uint8_t kDigitCodes[] = {plat::DIK_0, plat::DIK_1, plat::DIK_2, plat::DIK_3, plat::DIK_4,
                                        plat::DIK_5, plat::DIK_6, plat::DIK_7, plat::DIK_8, plat::DIK_9};
constexpr std::uint8_t kLetterCodes[] = {
    plat::DIK_A, plat::DIK_B, plat::DIK_C, plat::DIK_D, plat::DIK_E, plat::DIK_F, plat::DIK_G,
    plat::DIK_H, plat::DIK_I, plat::DIK_J, plat::DIK_K, plat::DIK_L, plat::DIK_M, plat::DIK_N,
    plat::DIK_O, plat::DIK_P, plat::DIK_Q, plat::DIK_R, plat::DIK_S, plat::DIK_T, plat::DIK_U,
    plat::DIK_V, plat::DIK_W, plat::DIK_X, plat::DIK_Y, plat::DIK_Z,
};
// Keys no entry takes.
constexpr std::uint8_t kStrayCodes[] = {plat::DIK_TAB,    plat::DIK_SPACE,    plat::DIK_COMMA,
                                        plat::DIK_ESCAPE, plat::DIK_LCONTROL, plat::DIK_EQUALS};

plat::DIMOUSESTATE MouseState(std::int64_t dx, std::int64_t dy, bool left, bool right) {
  plat::DIMOUSESTATE state{};
  state.lX = static_cast<std::int32_t>(dx);
  state.lY = static_cast<std::int32_t>(dy);
  state.rgbButtons[0] = left ? 0x80 : 0;
  state.rgbButtons[1] = right ? 0x80 : 0;
  return state;
}

// Where the main loop's clamp puts the cursor after a motion.
std::int64_t Clamped(std::int64_t position, std::int64_t motion, std::int64_t last) {
  const std::int64_t sum = std::clamp<std::int64_t>(position + motion, INT32_MIN, INT32_MAX);
  return std::clamp<std::int64_t>(sum, 0, last);
}

}  // namespace

plat::DIMOUSESTATE RandomInput::NextMouse() {
  return plat::headless::CursorClipped() ? MenuMouse() : EditorMouse();
}

bool RandomInput::NextKey(int virtualKey) {
  return std::find(historyKeys_.begin(), historyKeys_.end(), virtualKey) != historyKeys_.end();
}

// Chosen at the mouse read, before the pass reads the keys.
void RandomInput::ChooseHistoryKeys() {
  if (historyKeyPasses_ > 0) {
    --historyKeyPasses_;
    return;
  }
  historyKeys_.clear();
  if (Chance(0.03)) {
    switch (Uniform(0, 2)) {
      case 0:
        historyKeys_ = {plat::VK_CONTROL, plat::VK_Z};
        break;
      case 1:
        historyKeys_ = {plat::VK_CONTROL, plat::VK_Y};
        break;
      default:
        historyKeys_ = {plat::VK_CONTROL, plat::VK_SHIFT, plat::VK_Z};
        break;
    }
    historyKeyPasses_ = Uniform(0, 3);
  }
}

plat::DIMOUSESTATE RandomInput::EditorMouse() {
  ChooseHistoryKeys();
  menuLeftSeenUp_ = false;
  const std::int64_t x = editorState.cursorX;
  const std::int64_t y = editorState.cursorY;
  std::int64_t dx = 0;
  std::int64_t dy = 0;
  bool left = Chance(0.3);
  const bool right = Chance(0.15);
  const int kind = Uniform(0, 999);
  if (kind < 15) {
    const Box& button = kButtons[Uniform(0, 5)];
    dx = Uniform(button.left + 1, button.right - 1) - x;
    dy = Uniform(button.top + 1, button.bottom - 1) - y;
    left = true;
  } else if (kind < 100) {
    dx = Uniform(-50, 850) - x;
    dy = Uniform(-50, 650) - y;
  } else if (kind < 103) {
    dx = Chance(0.5) ? INT32_MAX : INT32_MIN;
    dy = Chance(0.5) ? INT32_MAX : INT32_MIN;
  } else {
    dx = Uniform(-30, 30);
    dy = Uniform(-30, 30);
  }
  const std::int64_t toX = Clamped(x, dx, 795);
  const std::int64_t toY = Clamped(y, dy, 595);
  if (left && kQuit.Holds(toX, toY)) {
    left = false;
  }
  // An action's button acts once a press: the bar is armed again when the
  // editor sees the button up, as it does while a press is an action's.
  const bool onAction = left && !kButtons[static_cast<int>(Button::Quad)].Holds(toX, toY) &&
                        std::any_of(std::begin(kButtons), std::end(kButtons),
                                    [&](const Box& box) { return box.Holds(toX, toY); });
  if (leftHeldByAction_) {
    leftHeldByAction_ = left;
    barArmed_ = true;
  } else if (onAction && barArmed_) {
    barArmed_ = false;
    if (kLoad.Holds(toX, toY) || kOffset.Holds(toX, toY)) {
      // With Escape down the entry gives up at once and reads nothing.
      if (!escape_) {
        PlanNumber();
      }
      leftHeldByAction_ = true;
    }
  } else if (!left) {
    barArmed_ = true;
  }
  return MouseState(dx, dy, left, right);
}

plat::DIMOUSESTATE RandomInput::MenuMouse() {
  const int toX = Uniform(380, 700);
  const bool left = Chance(0.4);
  // The press on Settings chooses nothing: only a press after the button was
  // seen up in the menu does.
  if (left && menuLeftSeenUp_ && !escape_) {
    for (const int nameLeft : kNameLeft) {
      if (nameLeft < toX && toX < nameLeft + kSubButtonWidth) {
        PlanName();
      }
    }
    if (kSizeLeft < toX && toX < kSizeLeft + kSubButtonWidth) {
      PlanSize();
    }
  }
  menuLeftSeenUp_ = menuLeftSeenUp_ || !left;
  leftHeldByAction_ = true;
  return MouseState(static_cast<std::int64_t>(toX) - editorState.cursorX, Uniform(-5, 5), left, Chance(0.1));
}

std::array<std::uint8_t, 256> RandomInput::NextKeyboard() {
  Keys keys{};
  if (planned_.empty()) {
    // An entry nobody planned for: end it, with Enter pressed anew.
    keys[plat::DIK_RETURN] = lastRead_[plat::DIK_RETURN] != 0 ? 0x00 : 0x80;
  } else {
    keys = planned_.front();
    planned_.pop_front();
  }
  lastRead_ = keys;
  return keys;
}

// A key down in two polls in a row is held, and types once: a poll of no key
// comes between two presses of the same key.
void RandomInput::Type(std::initializer_list<std::uint8_t> codes) {
  Keys keys{};
  bool again = false;
  for (const std::uint8_t code : codes) {
    keys[code] = 0x80;
    again = again || lastTyped_[code] != 0;
  }
  if (again) {
    planned_.push_back(Keys{});
  }
  planned_.push_back(keys);
  lastTyped_ = keys;
}

void RandomInput::MaybeStrayPoll() {
  if (Chance(0.85)) {
    return;
  }
  if (Chance(0.5)) {
    Type({});
  } else {
    Type({kStrayCodes[Uniform(0, std::size(kStrayCodes) - 1)]});
  }
}

void RandomInput::TypeDigits(int count, bool leadingZero) {
  for (int i = 0; i < count; ++i) {
    MaybeStrayPoll();
    const int digit = i == 0 && !leadingZero ? Uniform(1, 9) : Uniform(0, 9);
    Type({kDigitCodes[digit]});
  }
}

// Load and Offset: at most 999, or now and then a number past 4,294,967,295.
void RandomInput::PlanNumber() {
  ++entries_.numbers;
  if (Chance(0.02)) {
    TypeDigits(Uniform(11, 40), false);
  } else {
    if (Chance(0.1)) {
      Type({kDigitCodes[Uniform(0, 9)]});
      Type({plat::DIK_BACK});
    }
    TypeDigits(Uniform(0, 3), false);
  }
  MaybeStrayPoll();
  Type({plat::DIK_RETURN});
}

// Names mostly "a" and "b" and their mixes, so that saves and loads meet;
// sometimes any letter, capital, digit or underscore, up to the limit of 20
// and past it.
void RandomInput::PlanName() {
  ++entries_.names;
  const bool plain = Chance(0.8);
  const int length = plain ? Uniform(0, 2) : Uniform(0, 22);
  for (int i = 0; i < length; ++i) {
    MaybeStrayPoll();
    if (plain) {
      Type({kLetterCodes[Uniform(0, 1)]});
      continue;
    }
    switch (Uniform(0, 3)) {
      case 0:
        Type({kLetterCodes[Uniform(0, 25)]});
        break;
      case 1:
        Type({plat::DIK_LSHIFT, kLetterCodes[Uniform(0, 25)]});
        break;
      case 2:
        Type({kDigitCodes[Uniform(0, 9)]});
        break;
      default:
        Type({plat::DIK_RSHIFT, plat::DIK_MINUS});
        break;
    }
  }
  Type({plat::DIK_RETURN});
}

// Width, then height, each 0 to 64, typed with Enter, now and then as three
// digits with leading zeros and a fourth digit that is dropped.
void RandomInput::PlanSize() {
  ++entries_.sizes;
  for (int entry = 0; entry < 2; ++entry) {
    const int value = Uniform(0, 64);
    if (Chance(0.2)) {
      for (const int digit : {value / 100, value / 10 % 10, value % 10, Uniform(0, 9)}) {
        Type({kDigitCodes[digit]});
      }
      Type({plat::DIK_RETURN});
      continue;
    }
    if (value >= 10) {
      Type({kDigitCodes[value / 10]});
    }
    if (value > 0) {
      Type({kDigitCodes[value % 10]});
    }
    Type({plat::DIK_RETURN});
  }
}

}  // namespace pixtest
