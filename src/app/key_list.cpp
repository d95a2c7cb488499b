// F1's list of keys: the binding table's lines a page at a time over the grid.
#include "app/key_list.h"

#include <cstdio>
#include <cstring>

#include "app/editor_state.h"
#include "app/key_table.h"
#include "app/main_keys.h"
#include "canvas/locked_screen.h"
#include "canvas/screen_colours.h"
#include "canvas/screen_layout.h"
#include "canvas/shape_drag.h"
#include "draw/image_areas.h"
#include "draw/primitives.h"
#include "platform/input.h"
#include "platform/window.h"

namespace {

struct MouseLine {
  const char* keys;
  const char* meaning;
};

// The mouse does what no key does; its lines follow the keys'.
constexpr MouseLine kMouseLines[] = {
    {"Right button", "pick a colour from panel or image"},
    {"Alt+click", "the same, the tool kept"},
    {"Shift at release", "line at 45 degrees, square, circle"},
    {"Wheel", "zoom in or out about the pointer"},
    {"Middle drag", "move the image in the grid"},
    {"Space+drag", "the same with the left button"},
    {"Click a view", "show that part in the grid"},
};

// A line for the title and one for how to go on.
constexpr int kFrameLines = 2;
constexpr int kKeyCells = 21;

struct KeyListState {
  bool shown = false;
  int page = 0;
  // Escape took the list away and has not been let go since.
  bool escapeHeld = false;
};

KeyListState state;

bool ButtonDown() {
  const plat::DIMOUSESTATE& mouse = editorState.mouseState;
  return mouse.rgbButtons[0] != 0 || mouse.rgbButtons[1] != 0 || mouse.rgbButtons[2] != 0;
}

void Hide() {
  if (state.shown) {
    state.shown = false;
    RedrawImageAreas();
  }
}

void DrawLine(const std::string& keys, const std::string& meaning, int y) {
  const layout::ScreenRect& box = layout::kKeyListBox;
  // Two texts a line, the meaning at its own column: the Windows program's
  // system font is proportional, so padding the keys with spaces would not
  // line the meanings up.
  const int keysX = box.left + layout::kKeyListMargin;
  const int meaningX = keysX + kKeyCells * layout::kTextCellWidth;
  DrawTextAt(keys.c_str(), keysX, y, kWhiteInk, displayDevice.primarySurface);
  DrawTextAt(meaning.c_str(), meaningX, y, kWhiteInk, displayDevice.primarySurface);
}

}  // namespace

std::vector<KeyListLine> KeyListLines() {
  std::vector<KeyListLine> lines;
  // Rows of one meaning share a line, their keys joined.
  for (const KeyBinding& binding : KeyBindings()) {
    if (!lines.empty() && lines.back().meaning == binding.meaning) {
      if (binding.keys[0] != '\0') {
        lines.back().keys += std::string(", ") + binding.keys;
      }
      continue;
    }
    lines.push_back({binding.keys, binding.meaning});
  }
  for (const MouseLine& line : kMouseLines) {
    lines.push_back({line.keys, line.meaning});
  }
  return lines;
}

int KeyListLinesPerPage() {
  const layout::ScreenRect& box = layout::kKeyListBox;
  return (box.bottom - box.top - 2 * layout::kKeyListMargin) / layout::kKeyListLinePitch - kFrameLines;
}

int KeyListPages() {
  const int lines = static_cast<int>(KeyListLines().size());
  return (lines + KeyListLinesPerPage() - 1) / KeyListLinesPerPage();
}

void ResetKeyList() {
  state = KeyListState{};
}

void ShowKeyList() {
  if (state.shown || ButtonDown() || ShapeBeingDragged()) {
    return;
  }
  state.shown = true;
  state.page = 0;
}

void EscapeKey() {
  if (state.shown) {
    Hide();
    state.escapeHeld = true;
  }
  if (!state.escapeHeld) {
    plat::PostMessageA(editorState.windowHandle, plat::WM_CLOSE, 0, 0);
  }
}

bool FollowKeyList() {
  if (!MainKeyDown(plat::VK_ESCAPE)) {
    state.escapeHeld = false;
  }
  if (!state.shown) {
    return false;
  }
  if (MainKeyPressed(plat::VK_F1) && !ButtonDown()) {
    if (++state.page >= KeyListPages()) {
      Hide();
    }
    return true;
  }
  if (!ButtonDown() && !AnyMainKeyPressed()) {
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
      screen.Put(x, y, edge ? kWhiteIndex : kBlackIndex);
    }
  }
  UnlockScreen();
  const std::vector<KeyListLine> lines = KeyListLines();
  const int perPage = KeyListLinesPerPage();
  int y = box.top + layout::kKeyListMargin;
  char title[48];
  std::snprintf(title, sizeof title, "page %d of %d", state.page + 1, KeyListPages());
  DrawLine("Keys", title, y);
  y += layout::kKeyListLinePitch;
  const auto first = static_cast<std::size_t>(state.page * perPage);
  for (std::size_t i = first; i < lines.size() && i < first + static_cast<std::size_t>(perPage); ++i) {
    DrawLine(lines[i].keys, lines[i].meaning, y);
    y += layout::kKeyListLinePitch;
  }
  y = box.bottom - layout::kKeyListMargin - layout::kKeyListLinePitch;
  DrawLine("F1", state.page + 1 < KeyListPages() ? "next page; any other key: away" : "or any key: away", y);
}

bool KeyListShown() {
  return state.shown;
}
