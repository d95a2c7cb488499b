// A shape dragged from its press to the cursor, shown over the image, then painted into it.
#include "canvas/shape_drag.h"

#include <algorithm>

#include "app/edit_history.h"
#include "app/editor_state.h"
#include "canvas/grid_view.h"
#include "canvas/pen.h"
#include "canvas/selection.h"
#include "canvas/shape_preview.h"
#include "canvas/shapes.h"
#include "canvas/tools.h"

namespace {

struct Drag {
  bool dragging = false;
  ShapeKind kind = ShapeKind::Line;
  bool filled = false;
  ImageCell start{0, 0};
  ImageCell end{0, 0};
  int shownColour = 0;
};

Drag drag;

void AppendShape(CellList& cells) {
  switch (drag.kind) {
    case ShapeKind::Line:
      AppendLine(drag.start, drag.end, cells);
      break;
    case ShapeKind::Rectangle:
      AppendRectangle(drag.start, drag.end, drag.filled, cells);
      break;
    case ShapeKind::Ellipse:
      AppendEllipse(drag.start, drag.end, drag.filled, cells);
      break;
  }
}

// The drag's end follows the cursor, held to the part of the image shown.
void FollowDragEnd(bool force) {
  const ImageCell cursor = CursorCell();
  const ShownCells part = ShownPart(CurrentGridView(), editorState.width, editorState.height);
  if (part.columns == 0 || part.rows == 0) {
    return;
  }
  const ImageCell end{std::clamp(cursor.column, part.firstColumn, part.firstColumn + part.columns - 1),
                      std::clamp(cursor.row, part.firstRow, part.firstRow + part.rows - 1)};
  if (!force && end == drag.end && editorState.currentColor == drag.shownColour) {
    return;
  }
  drag.end = end;
  drag.shownColour = editorState.currentColor;
  CellList cells;
  AppendShape(cells);
  // With a selection, only what lies inside it shows and lands.
  std::erase_if(cells, [](const ImageCell& cell) { return !PaintableCell(cell.column, cell.row); });
  ShowShape(cells, drag.shownColour);
}

}  // namespace

void PressShape(ShapeKind kind, bool filled) {
  if (!OverImageInGrid()) {
    return;
  }
  PlaceFloatingPixels();
  BeginStrokeStep();
  drag.dragging = true;
  drag.kind = kind;
  drag.filled = filled;
  drag.start = CursorCell();
  FollowDragEnd(true);
}

void DragShape() {
  if (drag.dragging) {
    FollowDragEnd(false);
  }
}

void ReleaseShape() {
  if (!drag.dragging) {
    return;
  }
  FollowDragEnd(false);
  PaintCells(ShownShapeCells(), ShownShapeColour());
  HideShape();
  drag.dragging = false;
}

bool ShapeBeingDragged() {
  return drag.dragging;
}

void ResetShapeDrag() {
  drag = Drag{};
  HideShape();
}
