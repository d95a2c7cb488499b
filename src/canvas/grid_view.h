// The editing grid as a view of the working image: its pitch (a cell and
// its line, in screen pixels) and the image pixel in its top-left cell. The
// one mapping from the screen to an image pixel, and its inverse.
#pragma once

#include <cstdint>

#include "canvas/screen_layout.h"
#include "canvas/shapes.h"

struct GridView {
  int pitch = layout::kStartPitch;
  int firstColumn = 0;
  int firstRow = 0;

  friend bool operator==(const GridView&, const GridView&) = default;
};

// Whole cells the grid's area holds across and down at a pitch.
int CellsAcross(int pitch);
int CellsDown(int pitch);
// Whether cells at this pitch keep a line of grid.
bool PitchHasLines(int pitch);

// The image pixel under a screen position, wherever it lies (it may be off
// the image). Columns count from the line left of a cell, truncated toward
// zero as C divides: at pitch 5, x 136 to 144 is the first column. A
// position on a horizontal line belongs to the cell above it.
ImageCell GridCellAt(const GridView& view, std::int64_t x, std::int64_t y);
// The screen pixels a shown cell of image pixel (column, row) is drawn in:
// its inside, within its lines.
layout::ScreenRect GridCellRect(const GridView& view, int column, int row);
// The part of an image of width x height the grid shows at view: whole
// cells only, from the view's first column and row.
struct ShownCells {
  int firstColumn;
  int firstRow;
  int columns;
  int rows;

  bool Contains(std::int64_t column, std::int64_t row) const {
    return column >= firstColumn && row >= firstRow && column < firstColumn + columns &&
           row < firstRow + rows;
  }
};
ShownCells ShownPart(const GridView& view, int width, int height);
// The largest whole pitch up to kMostPitch at which all of an image of
// width x height fits the grid's area; the least pitch when none does.
int FittingPitch(int width, int height);

// ---- The view in use, which only the functions below change.
const GridView& CurrentGridView();
// At start: the start pitch from the image's top left.
void ResetGridView();
// Each returns whether the view changed. A step at a limit does nothing.
// The whole image at the pitch that fits it, from its top left.
bool ZoomToFit();
// To a pitch, keeping the image pixel under the screen position (x, y)
// where it is, as far as the image's edges allow.
bool ZoomAt(int pitch, std::int64_t x, std::int64_t y);
// One pitch in (steps > 0) or out per step, about (x, y).
bool ZoomStep(int steps, std::int64_t x, std::int64_t y);
// Moves the part shown by whole cells.
bool PanBy(std::int64_t columns, std::int64_t rows);
// Shows image pixel (column, row) in the middle of the grid, as far as the
// image's edges allow.
bool CentreOn(std::int64_t column, std::int64_t row);
// Brings the part shown back within the image after its size changed.
void KeepViewInImage();
