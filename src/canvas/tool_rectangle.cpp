// The rectangle (U): dragged corner to corner; U again switches it between outlined and filled.
#include "canvas/shape_drag.h"
#include "canvas/tools.h"
#include "platform/input.h"

namespace {

bool filled = false;

void RectanglePress() {
  PressShape(ShapeKind::Rectangle, filled);
}

const char* RectangleName() {
  return filled ? "Filled rectangle" : "Rectangle";
}

void RectangleChosen(bool again) {
  if (again) {
    filled = !filled;
  }
}

void RectangleReset() {
  filled = false;
}

}  // namespace

extern const ToolRecord kRectangleTool = {
    plat::VK_U,
    false,
    "U",
    "rectangle; U again: filled or not",
    RectangleName,
    RectangleChosen,
    RectanglePress,
    DragShape,
    ReleaseShape,
    RectangleReset,
};
