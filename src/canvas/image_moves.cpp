// Flips and shifts of the image as the working view shows it.
#include "canvas/image_moves.h"

#include "canvas/shown_image.h"

namespace {

int Wrapped(int value, int size) {
  const int rest = value % size;
  return rest < 0 ? rest + size : rest;
}

// Reads the image, and writes back, as one step, the image whose pixel
// (column, row) is the old one that source turns (column, row) into.
template <typename Source>
bool MoveImage(Source&& source) {
  return ChangeShownImage([&source](const ShownImage& before, ShownImage& after) {
    if (before.pixels.empty()) {
      return false;
    }
    for (int row = 0; row < before.rows; ++row) {
      for (int column = 0; column < before.columns; ++column) {
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
  return MoveImage([axis](const ShownImage& image, int& column, int& row) {
    if (axis == FlipAxis::LeftToRight) {
      column = image.columns - 1 - column;
    } else {
      row = image.rows - 1 - row;
    }
  });
}

bool ShiftImage(int columns, int rows) {
  return MoveImage([columns, rows](const ShownImage& image, int& column, int& row) {
    column = Wrapped(column - columns, image.columns);
    row = Wrapped(row - rows, image.rows);
  });
}
