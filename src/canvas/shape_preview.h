// A shape shown while it is dragged: painted as it would be drawn, with the
// screen bytes it covers kept, so that they come back exactly when the drag
// moves on.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "canvas/locked_screen.h"
#include "canvas/screen_layout.h"
#include "canvas/shapes.h"

class ShapePreview {
 public:
  // Keeps what the paint step of each cell covers (its grid block and its
  // working-view pixel), then paints the cell with colour.
  void Show(const LockedScreen& screen, const CellList& cells, int colour);
  // Puts back what the shown shape covered, last kept first (the areas of a
  // large image overlap), and forgets it.
  void PutBack(const LockedScreen& screen);
  // The shape stays as it is, drawn for good.
  void Keep() { kept_.clear(); }

 private:
  // What one cell's paint step covered: the part of its grid block on the
  // screen, row by row, and its working-view pixel if that is on the screen.
  struct KeptCell {
    layout::ScreenRect block;
    std::array<std::uint8_t, layout::kGridPitch * layout::kGridPitch> blockBytes;
    bool workingOnScreen;
    std::int32_t workingX;
    std::int32_t workingY;
    std::uint8_t workingByte;
  };

  std::vector<KeptCell> kept_;
};
