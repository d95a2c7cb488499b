// A shape shown over the working image while it is dragged: drawn by the
// image areas over the cells it covers, never into the image, so that what
// it covered shows again as soon as it moves on.
#pragma once

#include "canvas/image_store.h"
#include "canvas/shapes.h"

// Shows cells in colour instead of the shape shown before.
void ShowShape(const CellList& cells, int colour);
// Nothing shown any more.
void HideShape();
bool ShapeShown();
const CellList& ShownShapeCells();
int ShownShapeColour();
// The image pixels the shown shape covers: a rectangle round its cells.
ImageRect ShownShapeBounds();
