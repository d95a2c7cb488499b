// The single and quad pens: byte stores into the locked primary surface.
#include "canvas/pen.h"

#include "app/editor_state.h"

namespace {

// One stored pixel, dropped when it falls outside the locked surface: a
// cursor far left or right puts parts of the block or the working-view pixel
// off the screen, and those must not land in a neighbouring row.
void PutClipped(std::int64_t x, std::int64_t y, int colour, std::uint8_t* memory, int pitch) {
  if (x < 0 || y < 0 || x >= surfaceDesc.dwWidth || y >= surfaceDesc.dwHeight) {
    return;
  }
  PutLockedPixel(static_cast<int>(x), static_cast<int>(y), colour, memory, pitch);
}

// The 5 x 5 block from the grid lines left of and above the cell, then the
// working-view pixel.
void PaintImagePixel(std::int64_t column, std::int64_t row, int colour) {
  auto* memory = static_cast<std::uint8_t*>(surfaceDesc.lpSurface);
  const int pitch = surfaceDesc.lPitch;
  for (int dx = 0; dx <= 4; ++dx) {
    for (int dy = 0; dy <= 4; ++dy) {
      PutClipped(140 + 5 * column + dx, 5 + 5 * row + dy, colour, memory, pitch);
    }
  }
  PutClipped(6 + column, 128 + row, colour, memory, pitch);
}

// Truncating division, as C's: cursor x 136..139 still gives column 0.
std::int64_t CursorColumn() {
  return (static_cast<std::int64_t>(editorState.cursorX) - 140) / 5;
}

std::int64_t CursorRow() {
  return (static_cast<std::int64_t>(editorState.cursorY) - 6) / 5;
}

bool LockPrimary() {
  plat::DrawSurface* surface = displayDevice.primarySurface;
  return surface != nullptr &&
         !plat::FAILED(surface->Lock(nullptr, &surfaceDesc, plat::DDLOCK_WAIT, nullptr));
}

}  // namespace

int PaintPen(int colour) {
  if (!LockPrimary()) {
    return 0;
  }
  PaintImagePixel(CursorColumn(), CursorRow(), colour);
  displayDevice.primarySurface->Unlock(nullptr);
  return 0;
}

int PaintQuadPen(int colour) {
  if (!LockPrimary()) {
    return 0;
  }
  const std::int64_t column = CursorColumn();
  const std::int64_t row = CursorRow();
  PaintImagePixel(column, row, colour);
  PaintImagePixel(column + 1, row, colour);
  PaintImagePixel(column, row + 1, colour);
  PaintImagePixel(column + 1, row + 1, colour);
  displayDevice.primarySurface->Unlock(nullptr);
  return 0;
}
