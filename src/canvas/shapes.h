// The pixels of the drawn shapes: a line, a rectangle, an ellipse. One list
// serves the preview while the shape is dragged and the drawing on release,
// so what the artist sees is exactly what lands.
#pragma once

#include <vector>

// An image pixel: column and row, counted from 0 at the image's top left.
struct ImageCell {
  int column;
  int row;

  friend bool operator==(const ImageCell&, const ImageCell&) = default;
};

using CellList = std::vector<ImageCell>;

// A one-pixel line from a to b, both ends included (Bresenham's). It steps
// one pixel at a time along the longer axis and takes, at each step, the
// pixel nearest the straight line between the two end pixels' centres; a
// tie goes to the pixel nearer the end with the larger column (the larger
// row when the columns are equal). So a line dragged either way has the same
// pixels: max(|dx|, |dy|) + 1 of them, each touching the next by a side or a
// corner.
void AppendLine(ImageCell a, ImageCell b, CellList& cells);

// The rectangle with corners a and b (both included): its border, or every
// pixel of it when filled. A rectangle one pixel wide or high is a line.
void AppendRectangle(ImageCell a, ImageCell b, bool filled, CellList& cells);

// The ellipse inscribed in the rectangle with corners a and b. Its curve
// runs through the centres of the rectangle's outermost pixels at the middle
// of each side (half-way between two pixels for an even size). Each column
// has a pixel nearest the curve, and so has each row; a tie goes outward. The
// filled ellipse is every pixel that lies no further out than its column's
// nearest pixel, or than its row's. The outline is the pixels of the filled
// ellipse that have a side towards a pixel outside it: one pixel thick, each
// touching the next by a side or a corner. An ellipse one pixel wide or high
// is a line; two pixels wide or high, a rectangle.
void AppendEllipse(ImageCell a, ImageCell b, bool filled, CellList& cells);
