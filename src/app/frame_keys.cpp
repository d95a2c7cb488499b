// The frame keys: stepping through the load file, Ctrl+S and Alt+N, and the preview's keys.
#include "app/frame_keys.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "app/action_common.h"
#include "app/button_actions.h"
#include "app/editor_message.h"
#include "app/editor_state.h"
#include "app/frame_preview.h"
#include "app/image_number.h"
#include "app/save_status.h"
#include "canvas/image_history.h"
#include "canvas/selection.h"
#include "storage/pix_file.h"
#include "storage/pix_layout.h"

namespace {

// Loads as the Load button does, without its entry: one step of the history.
void StepTo(std::int32_t image) {
  editorState.pixNumber = image;
  PixReport report;
  if (LoadImageAsStep(image, &report) == 0 && !report.reason.empty()) {
    LoadFileNotOpened(editorState.loadFileName, report);
  }
}

void Step(StepKey key) {
  // The file may have changed since it was counted.
  ImageCountMayHaveChanged();
  const StepOutcome outcome =
      StepTarget(key, editorState.pixNumber, ImageNumberShown(), LoadFileImageCount());
  const std::string image = "image " + std::to_string(outcome.image);
  switch (outcome.kind) {
    case StepOutcome::Kind::Load:
      StepTo(outcome.image);
      break;
    case StepOutcome::Kind::AtFirst:
      ShowEditorMessage(image + " is the first", kValueColour);
      break;
    case StepOutcome::Kind::AtLast:
      ShowEditorMessage(image + " is the last", kValueColour);
      break;
    case StepOutcome::Kind::Nothing:
      break;
  }
}

// Writes the working image after the save file's last byte; when it became
// a whole image of the file, that is the image shown from now on.
void AppendAndShow() {
  PixReport report;
  const int result = AppendImageWhole(&report);
  ImageCountMayHaveChanged();
  const bool worked = SaveWorked(result, report);
  SaveFinished(worked, report);
  if (!worked) {
    return;
  }
  if (report.image >= 0 && report.image <= INT32_MAX) {
    editorState.pixNumber = static_cast<std::int32_t>(report.image);
    ShowImageNumber();
  } else {
    HideImageNumber();
  }
}

}  // namespace

StepOutcome StepTarget(StepKey key, std::int32_t number, bool numbered, std::int64_t images) {
  using Kind = StepOutcome::Kind;
  if (images <= 0) {
    return {};
  }
  // Image numbers are 32-bit: a larger file is stepped through as far as they go.
  const auto last = static_cast<std::int32_t>(std::min<std::int64_t>(images - 1, INT32_MAX));
  switch (key) {
    case StepKey::Next:
      if (number >= last) {
        return {Kind::AtLast, last};
      }
      return {Kind::Load, number < 0 ? 0 : number + 1};
    case StepKey::Previous:
      if (number <= 0) {
        return {Kind::AtFirst, 0};
      }
      return {Kind::Load, std::min(number - 1, last)};
    case StepKey::First:
      return numbered && number == 0 ? StepOutcome{} : StepOutcome{Kind::Load, 0};
    case StepKey::Last:
      return numbered && number == last ? StepOutcome{} : StepOutcome{Kind::Load, last};
  }
  return {};
}

// Ctrl+S: the save's sounds, and what it did said where the status can be read.
void SaveOverShownImage() {
  PlayProgramSound(clickSound);
  // What is saved is what is shown.
  PlaceFloatingPixels();
  const std::int32_t n = editorState.pixNumber;
  if (!ImageNumberShown() || n < 0 ||
      n >= WholeImagesIn(pixfile::TerminatedName(editorState.saveFileName).text)) {
    AppendAndShow();
    return;
  }
  PixReport report;
  const int result = SaveImageInPlace(n, &report);
  ImageCountMayHaveChanged();
  SaveFinished(SaveWorked(result, report), report);
}

void AppendImageKey() {
  PlayProgramSound(clickSound);
  PlaceFloatingPixels();
  AppendAndShow();
}

void NextImageKey() {
  Step(StepKey::Next);
}

void PreviousImageKey() {
  Step(StepKey::Previous);
}

void FirstImageKey() {
  Step(StepKey::First);
}

void LastImageKey() {
  Step(StepKey::Last);
}

void PlayOrStopKey() {
  TogglePreview();
}

void FasterKey() {
  ChangePreviewRate(1);
}

void SlowerKey() {
  ChangePreviewRate(-1);
}

void StartFrames() {
  ResetImageNumber();
  ResetFramePreview();
}

void FollowFrames() {
  FollowFramePreview();
  FollowImageNumber();
}
