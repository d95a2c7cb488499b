// Models of the drawing rules, for the tests: each pixel decided on its own
// with floating-point geometry, nothing shared with the editor's drawing.
#pragma once

#include <set>
#include <utility>

namespace pixtest {

// (column, row) pairs.
using CellSet = std::set<std::pair<int, int>>;

// The line from (x0, y0) to (x1, y1): along its longer axis, at each whole
// step, the pixel nearest the ideal line through the two ends' centres; of two
// equally near, the one nearer the end with the larger column (for a
// vertical line, no tie arises).
CellSet ModelLine(int x0, int y0, int x1, int y1);
// The rectangle's border, or all of it.
CellSet ModelRectangle(int x0, int y0, int x1, int y1, bool filled);
// The ellipse through the centres of the outermost pixels of the rectangle:
// a pixel belongs to the filled one when the pixel of its column nearest the
// curve lies as far from the middle row as it or further, or the pixel of its
// row nearest the curve lies as far from the middle column or further (ties
// going outward). The outline: those with a side neighbour outside.
CellSet ModelEllipse(int x0, int y0, int x1, int y1, bool filled);

}  // namespace pixtest
