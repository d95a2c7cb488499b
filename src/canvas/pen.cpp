// The single and quad pens: the paint step at the cursor's image pixel.
#include "canvas/pen.h"

#include "app/editor_state.h"
#include "canvas/image_pixels.h"
#include "canvas/locked_screen.h"
#include "canvas/screen_layout.h"

namespace {

std::int64_t CursorColumn() {
  return layout::GridColumnAt(editorState.cursorX);
}

std::int64_t CursorRow() {
  return layout::GridRowAt(editorState.cursorY);
}

}  // namespace

int PaintPen(int colour) {
  LockedScreen screen{};
  if (!LockScreen(screen)) {
    return 0;
  }
  PaintImagePixel(screen, CursorColumn(), CursorRow(), colour);
  UnlockScreen();
  return 0;
}

int PaintQuadPen(int colour) {
  LockedScreen screen{};
  if (!LockScreen(screen)) {
    return 0;
  }
  const std::int64_t column = CursorColumn();
  const std::int64_t row = CursorRow();
  PaintImagePixel(screen, column, row, colour);
  PaintImagePixel(screen, column + 1, row, colour);
  PaintImagePixel(screen, column, row + 1, colour);
  PaintImagePixel(screen, column + 1, row + 1, colour);
  UnlockScreen();
  return 0;
}
