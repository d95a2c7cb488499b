// The frame keys: stepping through the load file, Ctrl+S over the image shown, and the preview's keys.
#include "app/frame_keys.h"

#include <algorithm>
#include <cstdint>

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
  const std::optional<std::int32_t> target = StepTarget(key, editorState.pixNumber, LoadFileImageCount());
  if (target.has_value()) {
    StepTo(*target);
  }
}

}  // namespace

std::optional<std::int32_t> StepTarget(StepKey key, std::int32_t number, std::int64_t images) {
  if (images <= 0) {
    return std::nullopt;
  }
  // Image numbers are 32-bit: a larger file is stepped through as far as they go.
  const auto last = static_cast<std::int32_t>(std::min<std::int64_t>(images - 1, INT32_MAX));
  std::optional<std::int32_t> target;
  switch (key) {
    case StepKey::Next:
      target = number < 0 ? 0 : (number < last ? number + 1 : -1);
      break;
    case StepKey::Previous:
      target = number <= 0 ? -1 : std::min(number - 1, last);
      break;
    case StepKey::First:
      target = 0;
      break;
    case StepKey::Last:
      target = last;
      break;
  }
  if (*target < 0 || *target == number) {
    return std::nullopt;
  }
  return target;
}

// Ctrl+S: the save's sounds, and what it did said where the status can be read.
void SaveOverShownImage() {
  PlayProgramSound(clickSound);
  PixReport report;
  // What is saved is what is shown.
  PlaceFloatingPixels();
  const int result = SaveImageInPlace(editorState.pixNumber, &report);
  ImageCountMayHaveChanged();
  SaveFinished(SaveWorked(result, report), report);
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
