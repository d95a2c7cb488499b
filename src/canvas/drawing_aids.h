// The drawing aids, settings of the tools: mirroring across the image's
// vertical and horizontal middles, and pixel-perfect strokes of the pen.
#pragma once

#include "canvas/shapes.h"

struct DrawingAids {
  bool mirrorLeftRight = false;  // across the vertical axis
  bool mirrorTopBottom = false;  // across the horizontal axis
  bool pixelPerfect = false;
};

const DrawingAids& CurrentAids();
// X, Y and P: each on or off.
void ToggleMirrorLeftRight();
void ToggleMirrorTopBottom();
void TogglePixelPerfect();
// All off: a new run.
void ResetAids();
// Counts the changes, for the drawing of the axes to know when to draw again.
unsigned AidChanges();

// The mirror of a column (row) of an image width (height) wide: the axis
// lies between two pixels for an even size, through the middle one for an
// odd size.
constexpr int MirroredIndex(int index, int size) {
  return size - 1 - index;
}
// The cell and its mirrors as the aids stand (1, 2 or 4 cells; one of a
// cell on an axis), in the image of the current size.
void AppendMirrored(ImageCell cell, CellList& cells);
// Every cell of cells with its mirrors, none twice.
CellList WithMirrors(const CellList& cells);
