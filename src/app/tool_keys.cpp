// The image keys: flips, shifts and the colour steps.
#include "app/tool_keys.h"

#include <algorithm>

#include "app/editor_hits.h"
#include "app/editor_state.h"
#include "canvas/image_moves.h"
#include "canvas/palette_panel.h"
#include "canvas/screen_layout.h"
#include "canvas/selection.h"

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
  constexpr int kEntries = layout::kPaletteEntries;
  const int colour = std::clamp(static_cast<int>(editorState.currentColor), 0, kEntries - 1);
  editorState.currentColor = ((colour + step) % kEntries + kEntries) % kEntries;
  if (PageOfColour(editorState.currentColor) != PanelPage()) {
    ShowPanelPage(PageOfColour(editorState.currentColor));
  }
  ShowColourStatus();
}
