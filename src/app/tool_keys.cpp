// The image keys: flips, shifts and the colour steps.
#include "app/tool_keys.h"

#include "app/editor_hits.h"
#include "app/editor_state.h"
#include "canvas/image_moves.h"
#include "canvas/screen_layout.h"
#include "canvas/selection.h"

namespace {

constexpr int kPanelColours = layout::kSwatchColumns * layout::kSwatchRows;

}  // namespace

// With a selection, the flips and shifts act on it alone.
void FlipLeftToRight() {
  if (!FlipSelection(true)) {
    FlipImage(FlipAxis::LeftToRight);
  }
}

void FlipTopToBottom() {
  if (!FlipSelection(false)) {
    FlipImage(FlipAxis::TopToBottom);
  }
}

static void Shift(int columns, int rows) {
  if (!ShiftSelection(columns, rows)) {
    ShiftImage(columns, rows);
  }
}

void ShiftImageLeft() {
  Shift(-1, 0);
}

void ShiftImageRight() {
  Shift(1, 0);
}

void ShiftImageUp() {
  Shift(0, -1);
}

void ShiftImageDown() {
  Shift(0, 1);
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
