// The ellipse (Shift+U): dragged across its rectangle; Shift+U again switches it between outlined and filled.
#include "canvas/shape_drag.h"
#include "canvas/tools.h"
#include "platform/input.h"

namespace {

bool filled = false;

void EllipsePress() {
  PressShape(ShapeKind::Ellipse, filled);
}

const char* EllipseName() {
  return filled ? "Filled ellipse" : "Ellipse";
}

void EllipseChosen(bool again) {
  if (again) {
    filled = !filled;
  }
}

void EllipseReset() {
  filled = false;
}

}  // namespace

extern const ToolRecord kEllipseTool = {
    plat::VK_U,   true,          "Shift+U",    "ellipse; again: filled or not",
    EllipseName,  EllipseChosen, EllipsePress, DragShape,
    ReleaseShape, EllipseReset,
};
