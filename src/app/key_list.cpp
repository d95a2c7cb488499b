// F1's list of keys: the screen under it kept while it shows.
#include "app/key_list.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "app/editor_state.h"
#include "app/main_keys.h"
#include "canvas/locked_screen.h"
#include "canvas/screen_layout.h"
#include "canvas/tools.h"
#include "draw/primitives.h"
#include "platform/input.h"

namespace {

struct KeyLine {
  const char* keys;
  const char* meaning;
};

constexpr KeyLine kLines[] = {
    {"Keys", ""},
    {"B", "the pen (Quad: 2 x 2)"},
    {"G", "fill the area of one colour;"},
    {"", "Shift at the press: all of it"},
    {"L", "line"},
    {"U", "rectangle; U again: filled or not"},
    {"Shift+U", "ellipse; again: filled or not"},
    {"Shift+H", "flip left to right"},
    {"Shift+V", "flip top to bottom"},
    {"Shift+arrows", "shift the image by a pixel"},
    {"[ and ]", "previous or next colour"},
    {"Ctrl+Z", "undo; Ctrl+Y: redo"},
    {"Left, Right", "the previous or next image"},
    {"Home, End", "the first or the last image"},
    {"Ctrl+S", "save over the image shown"},
    {"Enter", "play the images; + and -: rate"},
    {"F1", "these keys; a key or click: away"},
};
constexpr int kKeyCells = 14;
constexpr int kWhiteIndex = 15;

static_assert(layout::kKeyListBox.top + 2 * layout::kKeyListMargin +
                      static_cast<int>(std::size(kLines)) * layout::kKeyListLinePitch <=
                  layout::kKeyListBox.bottom,
              "every line fits in the box");

struct KeyListState {
  bool shown = false;
  // Escape took the list away and has not been let go since.
  bool escapeHeld = false;
  // The letters as the previous read found them: a press is a letter going down.
  std::array<bool, 26> lettersDown{};
  // The screen under the box, row by row, as it was when the list came.
  layout::ScreenRect kept{0, 0, 0, 0};
  std::vector<std::uint8_t> under;
};

KeyListState state;

bool KeyDown(int virtualKey) {
  return (static_cast<std::uint16_t>(plat::GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
}

// Reads the letters; true when one went down since the last read.
bool LetterPressed() {
  bool pressed = false;
  for (int i = 0; i < 26; ++i) {
    const bool down = KeyDown('A' + i);
    pressed = pressed || (down && !state.lettersDown[static_cast<std::size_t>(i)]);
    state.lettersDown[static_cast<std::size_t>(i)] = down;
  }
  return pressed;
}

bool ButtonDown() {
  return editorState.mouseState.rgbButtons[0] != 0 || editorState.mouseState.rgbButtons[1] != 0;
}

void Show() {
  LockedScreen screen{};
  if (!LockScreen(screen)) {
    return;
  }
  const layout::ScreenRect& box = layout::kKeyListBox;
  state.kept = {std::max(box.left, 0), std::max(box.top, 0), std::min(box.right, screen.width),
                std::min(box.bottom, screen.height)};
  const auto width = static_cast<std::size_t>(std::max(state.kept.right - state.kept.left, 0));
  state.under.resize(width * static_cast<std::size_t>(std::max(state.kept.bottom - state.kept.top, 0)));
  for (int y = state.kept.top; y < state.kept.bottom; ++y) {
    std::memcpy(state.under.data() + static_cast<std::size_t>(y - state.kept.top) * width,
                screen.Row(y) + state.kept.left, width);
  }
  UnlockScreen();
  state.shown = true;
  LetterPressed();
  DrawKeyList();
}

void Hide() {
  state.shown = false;
  LockedScreen screen{};
  if (!LockScreen(screen)) {
    return;
  }
  const auto width = static_cast<std::size_t>(std::max(state.kept.right - state.kept.left, 0));
  for (int y = state.kept.top; y < state.kept.bottom; ++y) {
    std::memcpy(screen.Row(y) + state.kept.left,
                state.under.data() + static_cast<std::size_t>(y - state.kept.top) * width, width);
  }
  UnlockScreen();
}

}  // namespace

void ResetKeyList() {
  state = KeyListState{};
}

bool KeyListTakesEscape(bool escapeDown) {
  if (state.shown && escapeDown) {
    Hide();
    state.escapeHeld = true;
  } else if (!escapeDown) {
    state.escapeHeld = false;
  }
  return state.escapeHeld;
}

bool FollowKeyList() {
  if (!state.shown) {
    if (MainKeyPressed(plat::VK_F1) && !ButtonDown() && !ShapeBeingDragged()) {
      Show();
    }
    return false;
  }
  const bool letter = LetterPressed();
  if (!ButtonDown() && !AnyMainKeyPressed() && !letter) {
    return false;
  }
  Hide();
  return true;
}

void DrawKeyList() {
  if (!state.shown) {
    return;
  }
  LockedScreen screen{};
  if (!LockScreen(screen)) {
    return;
  }
  const layout::ScreenRect& box = layout::kKeyListBox;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const bool edge = x == box.left || y == box.top || x == box.right - 1 || y == box.bottom - 1;
      screen.Put(x, y, edge ? kWhiteIndex : 0);
    }
  }
  UnlockScreen();
  int y = box.top + layout::kKeyListMargin;
  // Two texts a line, the meaning at its own column: the Windows program's
  // system font is proportional, so padding the keys with spaces would not
  // line the meanings up.
  const int keysX = box.left + layout::kKeyListMargin;
  const int meaningX = keysX + kKeyCells * layout::kTextCellWidth;
  for (const KeyLine& line : kLines) {
    DrawTextAt(line.keys, keysX, y, plat::PALETTEINDEX(kWhiteIndex), displayDevice.primarySurface);
    DrawTextAt(line.meaning, meaningX, y, plat::PALETTEINDEX(kWhiteIndex), displayDevice.primarySurface);
    y += layout::kKeyListLinePitch;
  }
}

bool KeyListShown() {
  return state.shown;
}
