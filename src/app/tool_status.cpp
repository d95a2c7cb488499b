// The tool in use and the current colour, shown on the status line.
#include "app/tool_status.h"

#include <cstdio>

#include "app/editor_state.h"
#include "canvas/locked_screen.h"
#include "canvas/screen_layout.h"
#include "canvas/tools.h"
#include "draw/primitives.h"

namespace {

// The status line's white, as the pointer's position is written.
constexpr int kWhiteIndex = 15;

void DrawSwatch() {
  LockedScreen screen{};
  if (!LockScreen(screen)) {
    return;
  }
  const layout::ScreenRect& frame = layout::kToolSwatchFrame;
  for (int y = frame.top; y < frame.bottom; ++y) {
    for (int x = frame.left; x < frame.right; ++x) {
      const bool edge = x == frame.left || y == frame.top || x == frame.right - 1 || y == frame.bottom - 1;
      screen.Put(x, y, edge ? kWhiteIndex : editorState.currentColor);
    }
  }
  UnlockScreen();
}

}  // namespace

const char* ToolStatusName() {
  switch (CurrentTool()) {
    case Tool::Pen:
      return editorState.quadMode == 1 ? "Quad pen" : "Pen";
    case Tool::Fill:
      return "Fill";
    case Tool::Line:
      return "Line";
    case Tool::Rectangle:
      return ToolFilled(Tool::Rectangle) ? "Filled rectangle" : "Rectangle";
    case Tool::Ellipse:
      return ToolFilled(Tool::Ellipse) ? "Filled ellipse" : "Ellipse";
  }
  return "";
}

void DrawToolStatus() {
  DrawSwatch();
  std::snprintf(textLine, sizeof textLine, "%s", ToolStatusName());
  // The padding clears what a longer name left.
  PadToCells(textLine, sizeof textLine, layout::kToolNameCells);
  DrawTextAt(textLine, layout::kToolName.x, layout::kToolName.y, plat::PALETTEINDEX(kWhiteIndex),
             displayDevice.primarySurface);
}
