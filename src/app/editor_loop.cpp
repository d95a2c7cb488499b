// The editor's main loop: each pass follows the mouse and the keys, carries out what they ask, and draws the
// screen.
#include "app/editor_loop.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "app/action_common.h"
#include "app/button_actions.h"
#include "app/colour_edit.h"
#include "app/edit_history.h"
#include "app/editor_hits.h"
#include "app/editor_state.h"
#include "app/frame_keys.h"
#include "app/image_pick.h"
#include "app/key_list.h"
#include "app/main_keys.h"
#include "app/mouse_state.h"
#include "app/onion_skin.h"
#include "app/palette_in_force.h"
#include "app/tool_status.h"
#include "app/unsaved_work.h"
#include "app/view_keys.h"
#include "canvas/grid_view.h"
#include "canvas/image_store.h"
#include "canvas/palette_panel.h"
#include "canvas/screen_colours.h"
#include "canvas/screen_layout.h"
#include "canvas/shape_drag.h"
#include "canvas/tools.h"
#include "draw/image_areas.h"
#include "draw/primitives.h"
#include "platform/input.h"
#include "platform/window.h"
#include "textentry/entry.h"

namespace {

const plat::COLORREF& kFieldColour = kWhiteInk;
const plat::COLORREF& kStatusColour = kWhiteInk;
// The widest status: two 32-bit numbers. The settings menu does not clamp
// the position, and the status of its pass shows it as the menu left it.
constexpr int kPointerCells = 33;

// The file names come from files and entries; never read past their 25 bytes.
void DrawName(const char* name, layout::ScreenPoint at) {
  std::snprintf(textLine, sizeof textLine, "%.*s", static_cast<int>(kNameBytes), name);
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

// The cursor's bounds, each clamp followed by the system cursor: it ends
// every pass where the editor's cursor is.
struct CursorClamp {
  std::int32_t EditorState::*coordinate;
  bool upper;
  std::int32_t bound;
};

constexpr CursorClamp kCursorClamps[] = {
    {&EditorState::cursorX, true, layout::kCursorMaxX},
    {&EditorState::cursorX, false, 0},
    {&EditorState::cursorY, true, layout::kCursorMaxY},
    {&EditorState::cursorY, false, 0},
};

// Moves the cursor by the mouse's motion and keeps it on the screen; the
// system cursor follows every step.
void FollowMouse() {
  ReadMouseState();
  EditorState& s = editorState;
  s.cursorX = MoveCoordinate(s.cursorX, s.mouseState.lX);
  s.cursorY = MoveCoordinate(s.cursorY, s.mouseState.lY);
  plat::SetCursorPos(s.cursorX, s.cursorY);
  for (const CursorClamp& clamp : kCursorClamps) {
    std::int32_t& value = s.*clamp.coordinate;
    if (clamp.upper ? value >= clamp.bound : value < clamp.bound) {
      value = clamp.bound;
      plat::SetCursorPos(s.cursorX, s.cursorY);
    }
  }
}

// Presses that began while an entry or the settings menu ran are theirs: a
// button pressed there (and perhaps let go again) counts for the loop only
// after a pass has seen it up. A double click on Load must not open a second
// prompt once the first is answered. The wheel turned meanwhile is dropped.
struct PressesOfAction {
  bool held[3] = {false, false, false};
  bool wheel = false;
};

PressesOfAction pressesOfAction;

// The keys typed and the buttons pressed from now on belong to what took
// them (an entry, the menu, the list of keys): the loop counts a key again
// once it has been let go, and a button once a pass has seen it up.
void KeysAndPressesTaken() {
  ForgetMainKeys();
  pressesOfAction = PressesOfAction{{true, true, true}, true};
}

void DropPressesOfAction() {
  for (std::size_t button = 0; button < 3; ++button) {
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
  if (pressesOfAction.wheel) {
    editorState.mouseState.lZ = 0;
    pressesOfAction.wheel = false;
  }
}

bool LeftDown() {
  return editorState.mouseState.rgbButtons[0] != 0;
}

bool RightDown() {
  return editorState.mouseState.rgbButtons[1] != 0;
}

// One window message: false when it is the one that ends the loop.
bool TakeOneMessage() {
  plat::MSG message = {};
  if (plat::PeekMessageA(&message, nullptr, 0, 0, plat::PM_REMOVE)) {
    if (message.message == plat::WM_QUIT) {
      return false;
    }
    plat::TranslateMessage(&message);
    plat::DispatchMessageA(&message);
  }
  return true;
}

// What every pass draws again: a Clear blanks the screen, and an action
// draws its pressed button over the bar.
void DrawFixedParts() {
  DrawButtonBar();
  DrawTextFields();
  DrawPalettePanel();
}

// The left button: the tools' release when it is up, the keys, then the
// tool's press or drag, and the button bar.
void FollowLeftButton(bool viewTakesLeft) {
  EditorState& s = editorState;
  if (!LeftDown()) {
    ReleaseTool();
    EndStroke();
  }
  FollowKeyBindings(LeftDown());
  // Alt with the left button picks the colour, the tool staying as it is.
  const bool altPick = LeftDown() && MainKeyDown(plat::VK_MENU) && !ToolHeld();
  if (altPick && s.cursorY < layout::kPaintBottom) {
    PickImageColour(s.cursorX, s.cursorY);
  }
  if (LeftDown() && !viewTakesLeft && !altPick) {
    PressOrDragTool();
  }
  if (s.cursorY > layout::kButtonHitTop && LeftDown() && !ShapeBeingDragged()) {
    HitButtonBar(s.cursorX, s.cursorY);
  }
  if (!LeftDown()) {
    s.clickArmed = 1;
    RearmButtonBar();
  }
}

void CarryOutPendingAction() {
  EditorState& s = editorState;
  if (s.pendingAction == ButtonAction::None) {
    return;
  }
  const bool readsTheKeyboard =
      s.pendingAction == ButtonAction::Load || s.pendingAction == ButtonAction::Offset ||
      s.pendingAction == ButtonAction::Settings || s.pendingAction == ButtonAction::NewFile;
  CarryOutAction();
  if (readsTheKeyboard) {
    KeysAndPressesTaken();
  }
}

void FollowRightButton() {
  const EditorState& s = editorState;
  if (!RightDown()) {
    return;
  }
  if (s.cursorX > layout::kPanelPickLeft && s.cursorY < layout::kPanelPickBottom) {
    PickPaletteColour(s.cursorX, s.cursorY);
  } else if (s.cursorY < layout::kPaintBottom) {
    PickImageColour(s.cursorX, s.cursorY);
  }
}

void DrawStatusLine() {
  std::snprintf(textLine, sizeof textLine, "Pointer (%d,%d)", static_cast<int>(editorState.cursorX),
                static_cast<int>(editorState.cursorY));
  PadToCells(textLine, sizeof textLine, kPointerCells);
  DrawTextAt(textLine, layout::kPointerStatus.x, layout::kPointerStatus.y, kStatusColour,
             displayDevice.primarySurface);
  DrawToolStatus();
}

}  // namespace

bool RunEditorPass() {
  plat::BeginEditorPass();
  ReadMainKeys();
  FollowEveryPassKeys();
  if (!TakeOneMessage()) {
    return false;
  }
  DrawFixedParts();

  FollowMouse();
  DropPressesOfAction();
  if (FollowKeyList()) {
    // The key or click that took the list away does nothing else.
    KeysAndPressesTaken();
    DropPressesOfAction();
  }
  const bool viewTakesLeft = FollowViewMouse();
  FollowLeftButton(viewTakesLeft);
  CarryOutPendingAction();
  if (FollowColourEdit()) {
    KeysAndPressesTaken();
  }
  FollowPaletteChanges();
  FollowRightButton();
  FollowFrames();
  FollowOnionSkin();

  // The images and the view as this pass left them, with the list over them.
  DrawImageAreas();
  DrawKeyList();
  DrawStatusLine();
  FollowUnsavedWork(LeftDown());

  return editorState.pendingAction == ButtonAction::None;
}

void RunEditorLoop() {
  std::memset(nameText, 0, sizeof nameText);
  pressesOfAction = PressesOfAction{};
  StartMainKeys();
  ResetEditing();
  StartFrames();
  StartRecovery();
  while (RunEditorPass()) {
  }
  EndRecovery();
}
