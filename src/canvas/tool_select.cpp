// The rectangle selection (M): a drag selects; a drag inside the selection moves its pixels, which float
// until placed.
#include <algorithm>

#include "canvas/grid_view.h"
#include "canvas/image_store.h"
#include "canvas/selection.h"
#include "canvas/tools.h"
#include "platform/input.h"

namespace {

enum class Drag { None, Selecting, Moving };

struct SelectState {
  Drag drag = Drag::None;
  ImageCell start{0, 0};
  ImageCell last{0, 0};
  // Where the press took the floating pixels, and their corner then.
  ImageCell grab{0, 0};
  int left = 0;
  int top = 0;
};

SelectState state;

bool Inside(const ImageRect& rect, ImageCell cell) {
  return cell.column >= rect.left && cell.column < rect.right && cell.row >= rect.top &&
         cell.row < rect.bottom;
}

// The cell under the cursor, held to the part of the image the grid shows.
ImageCell HeldCell() {
  const ImageCell cell = CursorCell();
  const ShownCells part = ShownPart(CurrentGridView(), WorkingImage().width, WorkingImage().height);
  return {std::clamp(cell.column, part.firstColumn, part.firstColumn + part.columns - 1),
          std::clamp(cell.row, part.firstRow, part.firstRow + part.rows - 1)};
}

void SelectPress() {
  if (!OverImageInGrid()) {
    return;
  }
  const ImageCell cell = CursorCell();
  const Selection& selection = CurrentSelection();
  if (selection.active && Inside(selection.rect, cell)) {
    BeginSelectionMove();
    state.drag = Drag::Moving;
    state.grab = cell;
    state.left = CurrentSelection().rect.left;
    state.top = CurrentSelection().rect.top;
    return;
  }
  state.drag = Drag::Selecting;
  state.start = cell;
  state.last = cell;
  SelectCells(cell, cell);
}

void SelectDrag() {
  if (state.drag == Drag::Selecting) {
    const ImageCell cell = HeldCell();
    if (!(cell == state.last)) {
      state.last = cell;
      SelectCells(state.start, cell);
    }
  } else if (state.drag == Drag::Moving) {
    const ImageCell cell = CursorCell();
    MoveFloatingTo(state.left + cell.column - state.grab.column, state.top + cell.row - state.grab.row);
  }
}

void SelectRelease() {
  // A click that selected no more than its own pixel lets the selection go.
  if (state.drag == Drag::Selecting && state.start == state.last) {
    DropSelection();
  }
  state.drag = Drag::None;
}

const char* SelectName() {
  return CurrentSelection().floating ? "Select (floating)" : "Select";
}

void SelectChosen(bool) {}

void SelectReset() {
  state = SelectState{};
  ResetClipboard();
}

}  // namespace

extern const ToolRecord kSelectTool = {
    plat::VK_M,    false,        "M",         "select; drag inside it: move",
    SelectName,    SelectChosen, SelectPress, SelectDrag,
    SelectRelease, SelectReset,
};
