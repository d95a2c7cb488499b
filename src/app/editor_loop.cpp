// The editor's main loop: each pass redraws the screen, follows the mouse, paints and takes button hits.
#include "app/editor_loop.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "app/action_common.h"
#include "app/button_actions.h"
#include "app/edit_history.h"
#include "app/editor_hits.h"
#include "app/editor_state.h"
#include "app/frame_keys.h"
#include "app/image_pick.h"
#include "app/key_list.h"
#include "app/main_keys.h"
#include "app/mouse_state.h"
#include "app/tool_keys.h"
#include "app/tool_status.h"
#include "app/unsaved_work.h"
#include "canvas/palette_panel.h"
#include "canvas/screen_layout.h"
#include "canvas/tools.h"
#include "draw/frames.h"
#include "draw/primitives.h"
#include "platform/input.h"
#include "platform/window.h"
#include "textentry/entry.h"

namespace {

constexpr plat::COLORREF kFieldColour = plat::RGB(255, 255, 255);
constexpr plat::COLORREF kStatusColour = plat::PALETTEINDEX(15);
// The widest status: two 32-bit numbers. The settings menu does not clamp
// the position, and the status of its pass shows it as the menu left it.
constexpr int kPointerCells = 33;

// The file names come from files and entries; never read past their 25 bytes.
void DrawName(const char* name, layout::ScreenPoint at) {
  std::snprintf(textLine, sizeof textLine, "%.*s", 25, name);
  DrawTextAt(textLine, at.x, at.y, kFieldColour, displayDevice.primarySurface);
}

// A save sets the offset back to 0 behind the field's back: the padding
// clears the digits of the longer value.
void DrawNumber(std::int32_t value, int cells, layout::ScreenPoint at) {
  std::snprintf(textLine, sizeof textLine, "%d", static_cast<int>(value));
  PadToCells(textLine, sizeof textLine, cells);
  DrawTextAt(textLine, at.x, at.y, kFieldColour, displayDevice.primarySurface);
}

void DrawLabel(const char* label, layout::ScreenPoint at) {
  std::snprintf(textLine, sizeof textLine, "%s", label);
  DrawTextAt(textLine, at.x, at.y, kFieldColour, displayDevice.primarySurface);
}

void DrawTextFields() {
  DrawLabel("Load File Name:", layout::kLoadNameLabel);
  DrawName(editorState.loadFileName, layout::kLoadNameValue);
  DrawLabel("Save File Name:", layout::kSaveNameLabel);
  DrawName(editorState.saveFileName, layout::kSaveNameValue);
  DrawLabel("Width:", layout::kWidthLabel);
  DrawNumber(editorState.width, kSizeCells, layout::kWidthValue);
  DrawLabel("Height:", layout::kHeightLabel);
  DrawNumber(editorState.height, kSizeCells, layout::kHeightValue);
  DrawLabel("Offset:", layout::kOffsetLabel);
  DrawNumber(editorState.offsetNumber, kNumberCells, layout::kOffsetValue);
}

// Moves the cursor by the mouse's motion and keeps it on the screen; the
// system cursor follows every step.
void FollowMouse() {
  ReadMouseState();
  EditorState& s = editorState;
  s.cursorX = MoveCoordinate(s.cursorX, s.mouseState.lX);
  s.cursorY = MoveCoordinate(s.cursorY, s.mouseState.lY);
  plat::SetCursorPos(s.cursorX, s.cursorY);
  if (s.cursorX >= layout::kCursorMaxX) {
    s.cursorX = layout::kCursorMaxX;
    plat::SetCursorPos(s.cursorX, s.cursorY);
  }
  if (s.cursorX < 0) {
    s.cursorX = 0;
    plat::SetCursorPos(s.cursorX, s.cursorY);
  }
  if (s.cursorY >= layout::kCursorMaxY) {
    s.cursorY = layout::kCursorMaxY;
    plat::SetCursorPos(s.cursorX, s.cursorY);
  }
  if (s.cursorY < 0) {
    s.cursorY = 0;
    plat::SetCursorPos(s.cursorX, s.cursorY);
  }
}

// Presses that began while an entry or the settings menu ran are theirs: a
// button pressed there (and perhaps let go again) counts for the loop only
// after a pass has seen it up. A double click on Load must not open a second
// prompt once the first is answered.
struct PressesOfAction {
  bool held[2] = {false, false};
};

PressesOfAction pressesOfAction;

void HandPressesToAction() {
  pressesOfAction = PressesOfAction{{true, true}};
}

void DropPressesOfAction() {
  for (std::size_t button = 0; button < 2; ++button) {
    std::uint8_t& state = editorState.mouseState.rgbButtons[button];
    if (!pressesOfAction.held[button]) {
      continue;
    }
    if (state != 0) {
      state = 0;
    } else {
      pressesOfAction.held[button] = false;
    }
  }
}

bool LeftDown() {
  return editorState.mouseState.rgbButtons[0] != 0;
}

bool RightDown() {
  return editorState.mouseState.rgbButtons[1] != 0;
}

}  // namespace

bool RunEditorPass() {
  plat::BeginEditorPass();
  EditorState& s = editorState;

  const bool escape = (plat::GetAsyncKeyState(plat::VK_ESCAPE) & 0x8000) != 0;
  if (!KeyListTakesEscape(escape) && escape) {
    plat::PostMessageA(s.windowHandle, plat::WM_CLOSE, 0, 0);
  }

  plat::MSG message = {};
  if (plat::PeekMessageA(&message, nullptr, 0, 0, plat::PM_REMOVE)) {
    if (message.message == plat::WM_QUIT) {
      return false;
    }
    plat::TranslateMessage(&message);
    plat::DispatchMessageA(&message);
  }

  DrawButtonBar();

  DrawReferenceFrame(displayDevice.primarySurface);
  DrawEditingGrid(displayDevice.primarySurface);
  DrawWorkingFrame(displayDevice.primarySurface);
  DrawKeyList();

  DrawTextFields();

  DrawPalettePanel();

  FollowMouse();
  DropPressesOfAction();
  ReadMainKeys();
  if (FollowKeyList()) {
    // The key or click that took the list away does nothing else.
    ForgetHistoryKeys();
    ForgetMainKeys();
    HandPressesToAction();
    DropPressesOfAction();
  }

  // The keys are read once the mouse shows whether a stroke goes on.
  if (!LeftDown()) {
    ReleaseTool();
    EndStroke();
  }
  FollowHistoryKeys();
  FollowToolKeys();
  FollowFrameKeys();

  if (LeftDown()) {
    PressOrDragTool();
  }

  if (s.cursorY > layout::kButtonHitTop && LeftDown() && !ShapeBeingDragged()) {
    HitButtonBar(s.cursorX, s.cursorY);
  }

  if (!LeftDown()) {
    s.clickArmed = 1;
  }

  if (s.pendingAction != ButtonAction::None) {
    const bool readsTheKeyboard = s.pendingAction == ButtonAction::Load ||
                                  s.pendingAction == ButtonAction::Offset ||
                                  s.pendingAction == ButtonAction::Settings;
    CarryOutAction();
    if (readsTheKeyboard) {
      ForgetHistoryKeys();
      ForgetMainKeys();
      HandPressesToAction();
    }
  }

  if (s.cursorX > layout::kPanelPickLeft && s.cursorY < layout::kPanelPickBottom && RightDown()) {
    PickPaletteColour(s.cursorX, s.cursorY);
  } else if (s.cursorY < layout::kPaintBottom && RightDown()) {
    PickImageColour(s.cursorX, s.cursorY);
  }

  FollowFrames();

  std::snprintf(textLine, sizeof textLine, "Pointer (%d,%d)", static_cast<int>(s.cursorX),
                static_cast<int>(s.cursorY));
  PadToCells(textLine, sizeof textLine, kPointerCells);
  DrawTextAt(textLine, layout::kPointerStatus.x, layout::kPointerStatus.y, kStatusColour,
             displayDevice.primarySurface);
  DrawToolStatus();

  FollowUnsavedWork(LeftDown());

  return s.pendingAction == ButtonAction::None;
}

void RunEditorLoop() {
  std::memset(nameText, 0, sizeof nameText);
  pressesOfAction = PressesOfAction{};
  ForgetMainKeys();
  StartEditHistory();
  ResetTools();
  ResetKeyList();
  StartFrames();
  StartRecovery();
  while (RunEditorPass()) {
  }
  EndRecovery();
}
