// A shape dragged from its press to the cursor, shown over the image, then painted into it.
#include "canvas/shape_drag.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "app/edit_history.h"
#include "app/editor_state.h"
#include "app/main_keys.h"
#include "canvas/drawing_aids.h"
#include "canvas/grid_view.h"
#include "canvas/pen.h"
#include "canvas/selection.h"
#include "canvas/shape_preview.h"
#include "canvas/shapes.h"
#include "canvas/tools.h"
#include "platform/input.h"

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

// With Shift held, a line ends at the nearest of 0, 45 and 90 degrees, and
// a rectangle or an ellipse is a square or a circle.
ImageCell Constrained(ImageCell end) {
  if (!MainKeyDown(plat::VK_SHIFT)) {
    return end;
  }
  const int dx = end.column - drag.start.column;
  const int dy = end.row - drag.start.row;
  const int ax = std::abs(dx);
  const int ay = std::abs(dy);
  const auto toward = [](int sign, int length) { return sign < 0 ? -length : length; };
  if (drag.kind == ShapeKind::Line) {
    // Within 22.5 degrees of an axis (tan 22.5 is about 0.414) the line lies on it.
    if (std::int64_t{ay} * 1000 <= std::int64_t{ax} * 414) {
      return {end.column, drag.start.row};
    }
    if (std::int64_t{ax} * 1000 <= std::int64_t{ay} * 414) {
      return {drag.start.column, end.row};
    }
  }
  const int side = std::max(ax, ay);
  return {drag.start.column + toward(dx, side), drag.start.row + toward(dy, side)};
}

// The drag's end follows the cursor, held to the part of the image shown.
void FollowDragEnd(bool force) {
  const ImageCell cursor = CursorCell();
  const ShownCells part = ShownPart(CurrentGridView(), editorState.width, editorState.height);
  if (part.columns == 0 || part.rows == 0) {
    return;
  }
  const ImageCell end =
      Constrained({std::clamp(cursor.column, part.firstColumn, part.firstColumn + part.columns - 1),
                   std::clamp(cursor.row, part.firstRow, part.firstRow + part.rows - 1)});
  if (!force && end == drag.end && editorState.currentColor == drag.shownColour) {
    return;
  }
  drag.end = end;
  drag.shownColour = editorState.currentColor;
  CellList shape;
  AppendShape(shape);
  // The shape with its mirrors; with a selection, only what lies inside it
  // shows and lands.
  CellList cells = WithMirrors(shape);
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
