// The button actions Load, Save, Clear, Quit and Offset, and their dispatch.
#include "app/button_actions.h"

#include <cstdio>

#include "app/action_common.h"
#include "app/editor_message.h"
#include "app/editor_state.h"
#include "app/image_number.h"
#include "app/new_file.h"
#include "app/save_status.h"
#include "app/unsaved_work.h"
#include "canvas/image_history.h"
#include "canvas/image_store.h"
#include "canvas/screen_colours.h"
#include "canvas/screen_layout.h"
#include "canvas/selection.h"
#include "draw/image_areas.h"
#include "draw/primitives.h"
#include "platform/system.h"
#include "platform/window.h"
#include "storage/pix_file.h"
#include "textentry/entry.h"

int LoadImageAsStep(std::int32_t n, PixReport* report) {
  // Floating pixels are placed: the work left behind is as it was shown.
  PlaceFloatingPixels();
  const bool wasSaved = !WorkUnsaved();
  BeginImageStep();
  return LoadImageIntoStep(n, wasSaved, report);
}

int LoadImageIntoStep(std::int32_t n, bool wasSaved, PixReport* report) {
  ShowImageNumber();
  const int loaded = LoadPixImage(n, report);
  // A load that draws nothing leaves the work as saved as it was.
  if (loaded == 1 || wasSaved) {
    NoteWorkLoaded();
  }
  return loaded;
}

void SaveFinished(bool worked, const PixReport& report) {
  if (worked) {
    PlayProgramSound(savedSound);
    ImageSaved(editorState.saveFileName, report);
    NoteWorkSaved();
  } else {
    ImageNotSaved(editorState.saveFileName, report);
  }
}

void LoadAction() {
  PressButton("load_down_button.bmp", layout::kLoadButton);
  // The prompt and the entry take the place of a message.
  EraseEditorMessage();
  EraseRegion(layout::kNumberPromptRegion);
  DrawPrompt("Load Pix Number:");
  PixReport report;
  int loaded = 1;
  // An entry cut short by the end of the program loads nothing.
  if (EnterNumber() == 1) {
    editorState.pixNumber = ConvertNumber(numberText);
    loaded = LoadImageAsStep(editorState.pixNumber, &report);
  }
  EraseRegion(layout::kPromptAreaRegion);
  if (loaded == 0 && !report.reason.empty()) {
    LoadFileNotOpened(editorState.loadFileName, report);
  }
  editorState.pendingAction = ButtonAction::None;
}

void SaveAction() {
  PressButton("save_down_button.bmp", layout::kSaveButton);
  // The "saved" sound only when the image really reached the file.
  PixReport report;
  // What is saved is what is shown.
  PlaceFloatingPixels();
  const int result = SavePixImage(&report);
  ImageCountMayHaveChanged();
  SaveFinished(SaveWorked(result, report), report);
  plat::Sleep(200);
  editorState.mouseState.rgbButtons[0] = 0;
  editorState.pendingAction = ButtonAction::None;
}

void ClearAction() {
  PressButton("clear_down_button.bmp", layout::kClearButton);
  plat::Sleep(500);
  PlaceFloatingPixels();
  BeginImageStep();
  FillImages(0);
  // The whole screen goes black; the next pass draws everything again.
  FillSurface(displayDevice.primarySurface, kBlackIndex);
  RedrawImageAreas();
  HideImageNumber();
  editorState.pixNumber = 0;
  editorState.pendingAction = ButtonAction::None;
}

void QuitAction() {
  PressButton("quit_down_button.bmp", layout::kQuitButton);
  plat::PostMessageA(editorState.windowHandle, plat::WM_CLOSE, 0, 0);
  // pendingAction stays Quit: the main loop ends after this pass.
}

void OffsetAction() {
  PressButton("offset_down.bmp", layout::kOffsetButton);
  EraseEditorMessage();
  EraseRegion(layout::kNumberPromptRegion);
  DrawPrompt("Change Offset Number:");
  if (EnterNumber() == 1) {
    editorState.offsetNumber = ConvertNumber(numberText);
    EraseRegion(layout::kOffsetRegion);
    DrawNumberAt(editorState.offsetNumber, kNumberCells, layout::kOffsetValue);
  }
  EraseRegion(layout::kPromptAreaRegion);
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
    case ButtonAction::NewFile:
      NewFileAction();
      break;
    case ButtonAction::None:
      break;
  }
}
