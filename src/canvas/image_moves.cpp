// Flips and shifts of the working image.
#include "canvas/image_moves.h"

#include "canvas/image_change.h"

namespace {

int Wrapped(int value, int size) {
  const int rest = value % size;
  return rest < 0 ? rest + size : rest;
}

// Reads the image, and writes back, as one step, the image whose pixel
// (column, row) is the old one that source turns (column, row) into.
template <typename Source>
bool MoveImage(Source&& source) {
  return ChangeWorkingImage([&source](const IndexImage& before, IndexImage& after) {
    if (before.pixels.empty()) {
      return false;
    }
    for (int row = 0; row < before.height; ++row) {
      for (int column = 0; column < before.width; ++column) {
        int fromColumn = column;
        int fromRow = row;
        source(before, fromColumn, fromRow);
        after.At(column, row) = before.At(fromColumn, fromRow);
      }
    }
    return true;
  });
}

}  // namespace

bool FlipImage(FlipAxis axis) {
  return MoveImage([axis](const IndexImage& image, int& column, int& row) {
    if (axis == FlipAxis::LeftToRight) {
      column = image.width - 1 - column;
    } else {
      row = image.height - 1 - row;
    }
  });
}

bool ShiftImage(int columns, int rows) {
  return MoveImage([columns, rows](const IndexImage& image, int& column, int& row) {
    column = Wrapped(column - columns, image.width);
    row = Wrapped(row - rows, image.height);
  });
}
