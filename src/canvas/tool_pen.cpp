// The pen (B): every pass of a stroke over the painting area paints, joined to the pass before.
#include "app/edit_history.h"
#include "app/editor_state.h"
#include "canvas/pen.h"
#include "canvas/screen_layout.h"
#include "canvas/selection.h"
#include "canvas/tools.h"
#include "platform/input.h"

namespace {

struct PenState {
  // The pen's pixel at the previous pass of a stroke, which this pass's joins.
  bool joined = false;
  ImageCell last{0, 0};
};

PenState pen;

void PenPass() {
  if (editorState.cursorY >= layout::kPaintBottom) {
    pen.joined = false;
    return;
  }
  const ImageCell cell = CursorCell();
  CellList cells;
  AppendPenCells(pen.joined ? pen.last : cell, cell, editorState.quadMode == 1, cells);
  if (!cells.empty()) {
    BeginStrokeStep();
    PaintCells(cells, editorState.currentColor);
  }
  pen.last = cell;
  pen.joined = true;
}

// A press places floating pixels first: the pen paints the image.
void PenPress() {
  if (editorState.cursorY < layout::kPaintBottom && OverImageInGrid()) {
    PlaceFloatingPixels();
  }
  PenPass();
}

void PenRelease() {
  pen.joined = false;
}

const char* PenName() {
  return editorState.quadMode == 1 ? "Quad pen" : "Pen";
}

void PenChosen(bool) {}

void PenReset() {
  pen = PenState{};
}

}  // namespace

extern const ToolRecord kPenTool = {
    plat::VK_B, false,      "B",      "the pen (Quad: 2 x 2)", PenName, PenChosen, PenPress,
    PenPass,    PenRelease, PenReset,
};
