// The tool in use and the current colour, shown on the status line.
#include "app/tool_status.h"

#include <cstdio>

#include "app/editor_state.h"
#include "canvas/locked_screen.h"
#include "canvas/screen_colours.h"
#include "canvas/screen_layout.h"
#include "canvas/tools.h"
#include "draw/primitives.h"

namespace {

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
  return CurrentTool().name();
}

void DrawToolStatus() {
  DrawSwatch();
  std::snprintf(textLine, sizeof textLine, "%s", ToolStatusName());
  // The padding clears what a longer name left.
  PadToCells(textLine, sizeof textLine, layout::kToolNameCells);
  DrawTextAt(textLine, layout::kToolName.x, layout::kToolName.y, kWhiteInk, displayDevice.primarySurface);
}
