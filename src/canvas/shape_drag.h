// The line, rectangle and ellipse tools' drag: a shape shown from the press
// to the cursor while the button is held, drawn for good on release.
#pragma once

enum class ShapeKind { Line, Rectangle, Ellipse };

// A press over the image in the grid begins the shape (and its history
// step); elsewhere it does nothing.
void PressShape(ShapeKind kind, bool filled);
void DragShape();
void ReleaseShape();
// True while a shape is dragged: the button bar takes no press meanwhile.
bool ShapeBeingDragged();
void ResetShapeDrag();
