// A shape shown while it is dragged: painted as it would be drawn, with the
// screen bytes it covers kept, so that they come back exactly when the drag
// moves on.
#pragma once

#include <cstdint>
#include <vector>

#include "canvas/locked_screen.h"
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
  struct KeptByte {
    std::int32_t x;
    std::int32_t y;
    std::uint8_t value;
  };
  void KeepByte(const LockedScreen& screen, std::int64_t x, std::int64_t y);

  std::vector<KeptByte> kept_;
};
