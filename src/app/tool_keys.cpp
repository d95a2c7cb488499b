// The image keys: flips, shifts and the colour steps.
#include "app/tool_keys.h"

#include <algorithm>

#include "app/editor_hits.h"
#include "app/editor_state.h"
#include "canvas/image_moves.h"
#include "canvas/palette_panel.h"
#include "canvas/screen_layout.h"

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
  constexpr int kEntries = layout::kPaletteEntries;
  const int colour = std::clamp(static_cast<int>(editorState.currentColor), 0, kEntries - 1);
  editorState.currentColor = ((colour + step) % kEntries + kEntries) % kEntries;
  if (PageOfColour(editorState.currentColor) != PanelPage()) {
    ShowPanelPage(PageOfColour(editorState.currentColor));
  }
  ShowColourStatus();
}
