// The line (L): dragged from the press, drawn on release.
#include "canvas/shape_drag.h"
#include "canvas/tools.h"
#include "platform/input.h"

namespace {

void LinePress() {
  PressShape(ShapeKind::Line, false);
}

const char* LineName() {
  return "Line";
}

void LineChosen(bool) {}

}  // namespace

extern const ToolRecord kLineTool = {
    plat::VK_L, false, "L", "line", LineName, LineChosen, LinePress, DragShape, ReleaseShape, ResetShapeDrag,
};
