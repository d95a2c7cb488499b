// The dragged shape's cells and colour, and the part of the image they cover.
#include "canvas/shape_preview.h"

namespace {

struct Preview {
  bool shown = false;
  CellList cells;
  int colour = 0;
  ImageRect bounds;
};

Preview preview;

ImageRect BoundsOf(const CellList& cells) {
  ImageRect bounds;
  for (const ImageCell& cell : cells) {
    bounds = bounds.Union({cell.column, cell.row, cell.column + 1, cell.row + 1});
  }
  return bounds;
}

}  // namespace

void ShowShape(const CellList& cells, int colour) {
  // Where it was and where it is now are both drawn again.
  NoteWorkingShownChanged(preview.bounds);
  preview.shown = true;
  preview.cells = cells;
  preview.colour = colour;
  preview.bounds = BoundsOf(preview.cells);
  NoteWorkingShownChanged(preview.bounds);
}

void HideShape() {
  if (!preview.shown) {
    return;
  }
  NoteWorkingShownChanged(preview.bounds);
  preview = Preview{};
}

bool ShapeShown() {
  return preview.shown;
}

const CellList& ShownShapeCells() {
  return preview.cells;
}

int ShownShapeColour() {
  return preview.colour;
}

ImageRect ShownShapeBounds() {
  return preview.bounds;
}
