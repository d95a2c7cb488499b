// The selection's operations: selecting, lifting its pixels to float and
// moving them, placing them, and copy, cut, paste and delete through a
// clipboard that lasts for the run. Each change of the image is one step of
// the history; selecting alone is not.
#pragma once

#include "canvas/image_store.h"
#include "canvas/shapes.h"

// The rectangle with corners a and b (both included), cut at the image's
// edges; nothing selected when it lies off the image. Floating pixels are
// placed first.
void SelectCells(ImageCell a, ImageCell b);
// Ctrl+A: the whole image.
void SelectAll();
// Ctrl+D: floating pixels placed where they are, and nothing selected.
void DropSelection();
// Floating pixels placed where they are, as one step; the rectangle stays
// selected. Save, Ctrl+S, the frame keys, Load, Clear and a new frame call it
// first, so that what is saved is what is shown. False when none floated.
bool PlaceFloatingPixels();

// A move begins (the tool's press inside the selection): one step, in which
// the selected pixels float (the place they leave becomes colour 0) unless
// they float already.
void BeginSelectionMove();
// The floating pixels' top-left corner at (column, row): no step of its
// own, the move's.
void MoveFloatingTo(int column, int row);

// Ctrl+C, Ctrl+X, Ctrl+V, Delete.
void CopySelection();
void CutSelection();
// What was copied, floating at the place it was copied from, cut at the
// image's edges.
void PasteClipboard();
void DeleteSelection();
bool ClipboardHoldsPixels();

// With a selection, the flips and shifts act on it alone: its floating
// pixels, or the selected part of the image. False when there is no
// selection (the caller then acts on the whole image).
bool FlipSelection(bool leftToRight);
bool ShiftSelection(int columns, int rows);

// Whether the pen, the fill and the shapes may paint the pixel: inside the
// selection, or anywhere when there is none.
bool PaintableCell(int column, int row);

// Forgets the clipboard: a new run.
void ResetClipboard();
