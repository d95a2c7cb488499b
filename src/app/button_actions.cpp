// The button actions Load, Save, Clear, Quit and Offset, and their dispatch.
#include "app/button_actions.h"

#include <cstdio>

#include "app/action_common.h"
#include "app/editor_state.h"
#include "canvas/image_history.h"
#include "draw/primitives.h"
#include "platform/system.h"
#include "platform/window.h"
#include "storage/pix_file.h"
#include "textentry/entry.h"

void LoadAction() {
  PressButton("load_down_button.bmp", 160, 500);
  EraseRegion(6);
  DrawPrompt("Load Pix Number:");
  // An entry cut short by the end of the program loads nothing.
  if (EnterNumber() == 1) {
    editorState.pixNumber = ConvertNumber(numberText);
    EraseRegion(9);
    DrawTextAt("Pix number:", 685, 550, kValueColour, displayDevice.primarySurface);
    DrawNumberAt(editorState.pixNumber, kNumberCells, 775, 550);
    BeginImageStep();
    LoadPixImage(editorState.pixNumber);
  }
  EraseRegion(5);
  editorState.pendingAction = ButtonAction::None;
}

void SaveAction() {
  PressButton("save_down_button.bmp", 285, 500);
  // The "saved" sound only when the image really reached the file.
  if (SavePixImage(displayDevice.primarySurface) == 1) {
    PlayProgramSound(savedSound);
  }
  plat::Sleep(200);
  editorState.mouseState.rgbButtons[0] = 0;
  editorState.pendingAction = ButtonAction::None;
}

void ClearAction() {
  PressButton("clear_down_button.bmp", 410, 500);
  plat::Sleep(500);
  BeginImageStep();
  FillSurface(displayDevice.primarySurface, 0);
  editorState.pixNumber = 0;
  editorState.pendingAction = ButtonAction::None;
}

void QuitAction() {
  PressButton("quit_down_button.bmp", 535, 500);
  plat::PostMessageA(editorState.windowHandle, plat::WM_CLOSE, 0, 0);
  // pendingAction stays Quit: the main loop ends after this pass.
}

void OffsetAction() {
  PressButton("offset_down.bmp", 410, 540);
  EraseRegion(6);
  DrawPrompt("Change Offset Number:");
  if (EnterNumber() == 1) {
    editorState.offsetNumber = ConvertNumber(numberText);
    EraseRegion(8);
    DrawNumberAt(editorState.offsetNumber, kNumberCells, 220, 470);
  }
  EraseRegion(5);
  editorState.pendingAction = ButtonAction::None;
}

void CarryOutAction() {
  switch (editorState.pendingAction) {
    case ButtonAction::Load:
      LoadAction();
      break;
    case ButtonAction::Save:
      SaveAction();
      break;
    case ButtonAction::Clear:
      ClearAction();
      break;
    case ButtonAction::Quit:
      QuitAction();
      break;
    case ButtonAction::Settings:
      SettingsAction();
      break;
    case ButtonAction::Offset:
      OffsetAction();
      break;
    case ButtonAction::None:
      break;
  }
}
