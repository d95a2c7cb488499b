// The image keys: flips, shifts and the colour steps.
#include "app/tool_keys.h"

#include "app/editor_hits.h"
#include "app/editor_state.h"
#include "canvas/image_moves.h"
#include "canvas/screen_layout.h"

namespace {

constexpr int kPanelColours = layout::kSwatchColumns * layout::kSwatchRows;

}  // namespace

void FlipLeftToRight() {
  FlipImage(FlipAxis::LeftToRight);
}

void FlipTopToBottom() {
  FlipImage(FlipAxis::TopToBottom);
}

void ShiftImageLeft() {
  ShiftImage(-1, 0);
}

void ShiftImageRight() {
  ShiftImage(1, 0);
}

void ShiftImageUp() {
  ShiftImage(0, -1);
}

void ShiftImageDown() {
  ShiftImage(0, 1);
}

void PreviousColour() {
  StepColour(-1);
}

void NextColour() {
  StepColour(1);
}

void StepColour(int step) {
  const int colour = editorState.currentColor;
  if (colour < 0 || colour >= kPanelColours) {
    editorState.currentColor = step > 0 ? 0 : kPanelColours - 1;
  } else {
    editorState.currentColor = (colour + step + kPanelColours) % kPanelColours;
  }
  ShowColourStatus();
}
