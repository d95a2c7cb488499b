// The tools' press, drag and release, and the state they keep between passes.
#include "canvas/tools.h"

#include <algorithm>

#include "app/edit_history.h"
#include "app/editor_state.h"
#include "app/main_keys.h"
#include "canvas/fill.h"
#include "canvas/pen.h"
#include "canvas/screen_layout.h"
#include "canvas/shape_preview.h"
#include "canvas/shapes.h"
#include "platform/input.h"

namespace {

struct ToolActions {
  void (*press)();
  void (*drag)();
  void (*release)();
};

struct ToolState {
  Tool tool = Tool::Pen;
  bool rectangleFilled = false;
  bool ellipseFilled = false;
  // The left button at the previous pass, and what its press chose.
  bool leftWasDown = false;
  const ToolActions* pressed = nullptr;
  // The pen's pixel at the previous pass of a stroke, which this pass's joins.
  bool penJoined = false;
  ImageCell penLast{0, 0};
  // The line, rectangle or ellipse being dragged, and the end and colour it shows.
  bool dragging = false;
  Tool shape = Tool::Line;
  bool filled = false;
  ImageCell start{0, 0};
  ImageCell end{0, 0};
  int shownColour = 0;
  ShapePreview preview;
};

ToolState state;

ImageCell CursorCell() {
  return CellAtCursor(editorState.cursorX, editorState.cursorY);
}

// The fill and the shapes start only on a press over a pixel of the image in
// the grid.
bool OverImageInGrid() {
  const EditorState& s = editorState;
  return s.cursorX >= layout::kGridOrigin.x && s.cursorY >= layout::kGridOrigin.y &&
         s.cursorY < layout::kPaintBottom && InImage(CursorCell());
}

// ---- The pen: every pass of a stroke over the painting area paints, joined
// to the pass before.
void PenPass() {
  if (editorState.cursorY >= layout::kPaintBottom) {
    state.penJoined = false;
    return;
  }
  const ImageCell cell = CursorCell();
  CellList cells;
  AppendPenCells(state.penJoined ? state.penLast : cell, cell, editorState.quadMode == 1, cells);
  if (!cells.empty()) {
    BeginStrokeStep();
    PaintCells(cells, editorState.currentColor);
  }
  state.penLast = cell;
  state.penJoined = true;
}

void PenRelease() {
  state.penJoined = false;
}

// ---- The fill: at the press, with Shift held everywhere in the image.
void FillPress() {
  if (OverImageInGrid()) {
    FillImage(CursorCell(), editorState.currentColor, MainKeyDown(plat::VK_SHIFT));
  }
}

void Nothing() {}

// ---- The line, rectangle and ellipse: shown while dragged, kept on release.
void AppendShape(CellList& cells) {
  if (state.shape == Tool::Line) {
    AppendLine(state.start, state.end, cells);
  } else if (state.shape == Tool::Rectangle) {
    AppendRectangle(state.start, state.end, state.filled, cells);
  } else {
    AppendEllipse(state.start, state.end, state.filled, cells);
  }
}

// The drag's end follows the cursor, held to the image.
void FollowDragEnd(bool force) {
  const ImageCell cursor = CursorCell();
  const ImageCell end{std::clamp(cursor.column, 0, editorState.width - 1),
                      std::clamp(cursor.row, 0, editorState.height - 1)};
  if (!force && end == state.end && editorState.currentColor == state.shownColour) {
    return;
  }
  state.end = end;
  state.shownColour = editorState.currentColor;
  LockedScreen screen{};
  if (!LockScreen(screen)) {
    return;
  }
  state.preview.PutBack(screen);
  CellList cells;
  AppendShape(cells);
  state.preview.Show(screen, cells, state.shownColour);
  UnlockScreen();
}

void ShapePress() {
  if (!OverImageInGrid()) {
    return;
  }
  // The step's copy is taken before anything of the shape shows.
  BeginStrokeStep();
  state.dragging = true;
  state.shape = state.tool;
  state.filled = ToolFilled(state.tool);
  state.start = CursorCell();
  FollowDragEnd(true);
}

void ShapeDrag() {
  if (state.dragging) {
    FollowDragEnd(false);
  }
}

void ShapeRelease() {
  if (state.dragging) {
    FollowDragEnd(false);
    state.preview.Keep();
    state.dragging = false;
  }
}

constexpr ToolActions kPen{PenPass, PenPass, PenRelease};
constexpr ToolActions kFill{FillPress, Nothing, Nothing};
constexpr ToolActions kShape{ShapePress, ShapeDrag, ShapeRelease};

const ToolActions& ActionsOf(Tool tool) {
  switch (tool) {
    case Tool::Pen:
      return kPen;
    case Tool::Fill:
      return kFill;
    case Tool::Line:
    case Tool::Rectangle:
    case Tool::Ellipse:
      break;
  }
  return kShape;
}

}  // namespace

void ResetTools() {
  state = ToolState{};
}

void ChooseTool(Tool tool) {
  if (state.leftWasDown) {
    return;
  }
  if (tool == state.tool && tool == Tool::Rectangle) {
    state.rectangleFilled = !state.rectangleFilled;
  } else if (tool == state.tool && tool == Tool::Ellipse) {
    state.ellipseFilled = !state.ellipseFilled;
  }
  state.tool = tool;
}

Tool CurrentTool() {
  return state.tool;
}

bool ToolFilled(Tool tool) {
  return (tool == Tool::Rectangle && state.rectangleFilled) || (tool == Tool::Ellipse && state.ellipseFilled);
}

void PressOrDragTool() {
  if (!state.leftWasDown) {
    state.leftWasDown = true;
    state.pressed = &ActionsOf(state.tool);
    state.pressed->press();
  } else if (state.pressed != nullptr) {
    state.pressed->drag();
  }
}

void ReleaseTool() {
  if (state.leftWasDown && state.pressed != nullptr) {
    state.pressed->release();
  }
  state.leftWasDown = false;
  state.pressed = nullptr;
}

bool ShapeBeingDragged() {
  return state.dragging;
}
