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
#include "app/image_pick.h"
#include "app/mouse_state.h"
#include "canvas/palette_panel.h"
#include "canvas/pen.h"
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
void DrawName(const char* name, int x, int y) {
  std::snprintf(textLine, sizeof textLine, "%.*s", 25, name);
  DrawTextAt(textLine, x, y, kFieldColour, displayDevice.primarySurface);
}

// A save sets the offset back to 0 behind the field's back: the padding
// clears the digits of the longer value.
void DrawNumber(std::int32_t value, int cells, int x, int y) {
  std::snprintf(textLine, sizeof textLine, "%d", static_cast<int>(value));
  PadToCells(textLine, sizeof textLine, cells);
  DrawTextAt(textLine, x, y, kFieldColour, displayDevice.primarySurface);
}

void DrawLabel(const char* label, int x, int y) {
  std::snprintf(textLine, sizeof textLine, "%s", label);
  DrawTextAt(textLine, x, y, kFieldColour, displayDevice.primarySurface);
}

void DrawTextFields() {
  DrawLabel("Load File Name:", 150, 410);
  DrawName(editorState.loadFileName, 270, 410);
  DrawLabel("Save File Name:", 150, 430);
  DrawName(editorState.saveFileName, 270, 430);
  DrawLabel("Width:", 150, 450);
  DrawNumber(editorState.width, kSizeCells, 205, 450);
  DrawLabel("Height:", 245, 450);
  DrawNumber(editorState.height, kSizeCells, 311, 450);
  DrawLabel("Offset:", 150, 470);
  DrawNumber(editorState.offsetNumber, kNumberCells, 220, 470);
}

// Moves the cursor by the mouse's motion and keeps it on the screen; the
// system cursor follows every step.
void FollowMouse() {
  ReadMouseState();
  EditorState& s = editorState;
  s.cursorX = MoveCoordinate(s.cursorX, s.mouseState.lX);
  s.cursorY = MoveCoordinate(s.cursorY, s.mouseState.lY);
  plat::SetCursorPos(s.cursorX, s.cursorY);
  if (s.cursorX >= 795) {
    s.cursorX = 795;
    plat::SetCursorPos(s.cursorX, s.cursorY);
  }
  if (s.cursorX < 0) {
    s.cursorX = 0;
    plat::SetCursorPos(s.cursorX, s.cursorY);
  }
  if (s.cursorY >= 595) {
    s.cursorY = 595;
    plat::SetCursorPos(s.cursorX, s.cursorY);
  }
  if (s.cursorY < 0) {
    s.cursorY = 0;
    plat::SetCursorPos(s.cursorX, s.cursorY);
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

  if (plat::GetAsyncKeyState(plat::VK_ESCAPE) & 0x8000) {
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

  DrawTextFields();

  DrawPalettePanel();

  FollowMouse();

  // The keys are read once the mouse shows whether a stroke goes on.
  if (!LeftDown()) {
    EndStroke();
  }
  FollowHistoryKeys();

  if (s.cursorY < 396 && LeftDown()) {
    BeginStrokeStep();
    if (s.quadMode == 0) {
      PaintPen(s.currentColor);
    } else if (s.quadMode == 1) {
      PaintQuadPen(s.currentColor);
    }
  }

  if (s.cursorY > 500 && LeftDown()) {
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
    }
  }

  if (s.cursorX > 684 && s.cursorY < 432 && RightDown()) {
    PickPaletteColour(s.cursorX, s.cursorY);
  } else if (s.cursorY < 396 && RightDown()) {
    PickImageColour(s.cursorX, s.cursorY);
  }

  std::snprintf(textLine, sizeof textLine, "Pointer (%d,%d)", static_cast<int>(s.cursorX),
                static_cast<int>(s.cursorY));
  PadToCells(textLine, sizeof textLine, kPointerCells);
  DrawTextAt(textLine, 12, 572, kStatusColour, displayDevice.primarySurface);

  return s.pendingAction == ButtonAction::None;
}

void RunEditorLoop() {
  std::memset(nameText, 0, sizeof nameText);
  StartEditHistory();
  while (RunEditorPass()) {
  }
}
