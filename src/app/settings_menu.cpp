// The Settings action: a menu of three sub-buttons, then a name or the size typed in.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "app/action_common.h"
#include "app/button_actions.h"
#include "app/editor_message.h"
#include "app/editor_state.h"
#include "app/image_number.h"
#include "app/main_keys.h"
#include "app/mouse_state.h"
#include "canvas/image_history.h"
#include "canvas/screen_layout.h"
#include "draw/primitives.h"
#include "platform/system.h"
#include "platform/window.h"
#include "textentry/entry.h"

namespace {

enum class SettingsChoice { None = 0, LoadName = 1, SaveName = 2, Size = 3 };

struct SubButton {
  const char* bitmap;
  const char* pressedBitmap;
  int left;
  SettingsChoice choice;
};

constexpr SubButton kSubButtons[] = {
    {"Loadsettings.bmp", "Loadsettings_down.bmp", layout::kLoadNameSubButtonLeft, SettingsChoice::LoadName},
    {"savesettings.bmp", "Savesettings_down.bmp", layout::kSaveNameSubButtonLeft, SettingsChoice::SaveName},
    {"Sizesettings.bmp", "Sizesettings_down.bmp", layout::kSizeSubButtonLeft, SettingsChoice::Size},
};
constexpr plat::RECT kMenuClip = {layout::kMenuClip.left, layout::kMenuClip.top, layout::kMenuClip.right,
                                  layout::kMenuClip.bottom};

// Closed whenever the menu is not on the screen.
SettingsChoice settingsChoice = SettingsChoice::None;
int settingsChosen = 0;
// Whether the menu loop has seen the left button up since the menu opened:
// only a press made in the menu chooses, not the press on Settings held on.
bool leftSeenUp = false;
// Escape was pressed in the menu: nothing is chosen.
bool settingsGivenUp = false;

// Escape closes the menu with nothing chosen, and the editor goes on; true
// when it was pressed.
bool EscapePressed() {
  if ((static_cast<std::uint16_t>(plat::GetAsyncKeyState(plat::VK_ESCAPE)) & 0x8000u) == 0) {
    return false;
  }
  EscapeTakenByPrompt();
  return true;
}

void MenuTurn() {
  plat::Sleep(50);
  if (EscapePressed()) {
    settingsGivenUp = true;
    return;
  }
  // The menu does not clamp the cursor.
  ReadMouseState();
  editorState.cursorX = MoveCoordinate(editorState.cursorX, editorState.mouseState.lX);
  editorState.cursorY = MoveCoordinate(editorState.cursorY, editorState.mouseState.lY);
  plat::SetCursorPos(editorState.cursorX, editorState.cursorY);
  if (editorState.mouseState.rgbButtons[0] == 0) {
    leftSeenUp = true;
    return;
  }
  if (!leftSeenUp) {
    return;
  }
  // Only x counts: the cursor is confined to the menu's strip.
  for (const SubButton& button : kSubButtons) {
    if (button.left < editorState.cursorX && editorState.cursorX < button.left + layout::kSubButtonWidth) {
      PressButton(button.pressedBitmap, {button.left, layout::kSubButtonTop});
      settingsChoice = button.choice;
      settingsChosen = 1;
      plat::Sleep(100);
    }
  }
}

void DrawName(const char* name, layout::ScreenPoint at) {
  std::snprintf(textLine, sizeof textLine, "%.*s", static_cast<int>(kLongestName), name);
  DrawTextAt(textLine, at.x, at.y, kValueColour, displayDevice.primarySurface);
}

// A name entry ended with nothing typed keeps the name: ".pix" alone would
// be a hidden file.
void ChangeLoadName() {
  DrawPrompt("Change Load File Name:");
  if (EnterFileName() == 0 || NameTextBlank()) {
    return;
  }
  std::memcpy(editorState.loadFileName, nameText, sizeof editorState.loadFileName);
  EraseRegion(layout::kLoadNameRegion);
  DrawName(editorState.loadFileName, layout::kLoadNameValue);
}

void ChangeSaveName() {
  DrawPrompt("Change Save File Name:");
  if (EnterFileName() == 0 || NameTextBlank()) {
    return;
  }
  std::memcpy(editorState.saveFileName, nameText, sizeof editorState.saveFileName);
  EraseRegion(layout::kSaveNameRegion);
  DrawName(editorState.saveFileName, layout::kSaveNameValue);
}

// The typed size, or the one it had when the entry holds no digit: Enter
// alone must not make the image 0 wide, which every Load and Save would then
// keep at nothing, run after run. A typed 0 is taken.
std::int32_t TypedSize(std::int32_t had) {
  return SizeTextBlank() ? had : ConvertNumber(sizeText);
}

// A new size is one step of the history, begun before the first side that
// changes: undo gives back the image as it was before, at its size.
void SetSide(std::int32_t EditorState::*side, std::int32_t size, bool& stepBegun) {
  if (editorState.*side == size) {
    return;
  }
  if (!stepBegun) {
    BeginImageStep();
    stepBegun = true;
  }
  editorState.*side = size;
  // The file's images are of the old size: none of them is the one shown.
  HideImageNumber();
}

// The width stands as soon as it is typed, before the height is asked for.
// An entry cut short by the end of the program changes nothing more.
void ChangeSize() {
  bool stepBegun = false;
  DrawPrompt("Change Width:");
  EraseRegion(layout::kWidthRegion);
  editorState.previousWidth = editorState.width;
  if (EnterSize() == 0) {
    return;
  }
  SetSide(&EditorState::width, TypedSize(editorState.width), stepBegun);
  DrawNumberAt(editorState.width, kSizeCells, layout::kWidthValue);

  DrawPrompt("Change Height:");
  EraseRegion(layout::kHeightRegion);
  editorState.previousHeight = editorState.height;
  if (EnterSize() == 0) {
    return;
  }
  SetSide(&EditorState::height, TypedSize(editorState.height), stepBegun);
  DrawNumberAt(editorState.height, kSizeCells, layout::kHeightValue);
}

}  // namespace

static_assert(sizeof(EditorState::loadFileName) == sizeof nameText);
static_assert(sizeof(EditorState::saveFileName) == sizeof nameText);

void SettingsAction() {
  PressButton("settings_down_button.bmp", layout::kSettingsButton);
  // The menu and its entries take the place of a message.
  EraseEditorMessage();
  for (const SubButton& button : kSubButtons) {
    DrawBitmapFile(displayDevice.primarySurface, button.left, layout::kSubButtonTop, button.bitmap);
  }
  plat::Sleep(100);
  editorState.cursorX = layout::kMenuCursorStart.x;
  editorState.cursorY = layout::kMenuCursorStart.y;
  plat::SetCursorPos(editorState.cursorX, editorState.cursorY);
  plat::ClipCursor(&kMenuClip);
  editorState.mouseState.rgbButtons[0] = 0;
  leftSeenUp = false;
  settingsGivenUp = false;
  // The menu is left by a choice, by Escape, or when the system ends the
  // program and nobody is left to choose.
  while (settingsChosen != 1 && !settingsGivenUp && !plat::EndRequested()) {
    MenuTurn();
  }
  plat::ClipCursor(nullptr);
  EraseRegion(layout::kMenuPromptRegion);
  switch (settingsChoice) {
    case SettingsChoice::LoadName:
      ChangeLoadName();
      break;
    case SettingsChoice::SaveName:
      ChangeSaveName();
      break;
    case SettingsChoice::Size:
      ChangeSize();
      break;
    case SettingsChoice::None:
      break;
  }
  settingsChoice = SettingsChoice::None;
  settingsChosen = 0;
  EraseRegion(layout::kPromptAreaRegion);
  editorState.pendingAction = ButtonAction::None;
}
