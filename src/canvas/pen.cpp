// The single and quad pens: the paint step along a stroke, on the image's pixels only.
#include "canvas/pen.h"

#include <cstdlib>

#include "app/editor_state.h"
#include "canvas/drawing_aids.h"
#include "canvas/grid_view.h"
#include "canvas/image_store.h"
#include "canvas/selection.h"

namespace {

// Further apart than any two cursor positions on the screen: the ends of a
// longer line do not come from the mouse, and only the last is painted.
constexpr int kLongestJoin = 4096;

// The pen's pixel, or the quad pen's block in the order its pixels were
// always painted, as far as it lies within the image.
void AppendInImage(ImageCell cell, bool quad, CellList& cells) {
  const int size = quad ? 2 : 1;
  for (int dy = 0; dy < size; ++dy) {
    for (int dx = 0; dx < size; ++dx) {
      const ImageCell pixel{cell.column + dx, cell.row + dy};
      if (InShownImage(pixel) && PaintableCell(pixel.column, pixel.row)) {
        cells.push_back(pixel);
      }
    }
  }
}

int PaintAtCursor(bool quad, int colour) {
  CellList cells;
  const ImageCell cell = CellAtCursor(editorState.cursorX, editorState.cursorY);
  AppendPenCells(cell, cell, quad, cells);
  PaintCells(cells, colour);
  return 0;
}

}  // namespace

ImageCell CellAtCursor(std::int32_t x, std::int32_t y) {
  return GridCellAt(CurrentGridView(), x, y);
}

bool InImage(ImageCell cell) {
  return cell.column >= 0 && cell.row >= 0 && cell.column < editorState.width &&
         cell.row < editorState.height;
}

bool InShownImage(ImageCell cell) {
  return ShownPart(CurrentGridView(), editorState.width, editorState.height).Contains(cell.column, cell.row);
}

void AppendPenCells(ImageCell from, ImageCell to, bool quad, CellList& cells) {
  const std::int64_t dx = std::llabs(std::int64_t{to.column} - from.column);
  const std::int64_t dy = std::llabs(std::int64_t{to.row} - from.row);
  CellList line;
  if (dx > kLongestJoin || dy > kLongestJoin) {
    line.push_back(to);
  } else {
    AppendLine(from, to, line);
  }
  CellList shown;
  for (const ImageCell& cell : line) {
    AppendInImage(cell, quad, shown);
  }
  AppendPaintedMirrors(shown, cells);
}

void AppendPaintedMirrors(const CellList& shown, CellList& cells) {
  // A mirror lands wherever it lies in the image, shown or not.
  for (const ImageCell& cell : WithMirrors(shown)) {
    if (InImage(cell) && PaintableCell(cell.column, cell.row)) {
      cells.push_back(cell);
    }
  }
}

void PaintCells(const CellList& cells, int colour) {
  for (const ImageCell& cell : cells) {
    SetWorkingPixel(cell.column, cell.row, colour);
  }
}

int PaintPen(int colour) {
  return PaintAtCursor(false, colour);
}

int PaintQuadPen(int colour) {
  return PaintAtCursor(true, colour);
}
