// The pixels of a line, a rectangle and an ellipse between two image pixels.
#include "canvas/shapes.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace {

// a before b: by column, then by row. Drawn from the first, a line has the
// same pixels whichever end the drag began at.
bool DrawnFirst(ImageCell a, ImageCell b) {
  return a.column != b.column ? a.column < b.column : a.row < b.row;
}

// t * moved / steps rounded to the nearest whole number, a half upward.
int RoundedShare(int t, int moved, int steps) {
  return static_cast<int>((2 * std::int64_t{t} * moved + steps) / (2 * std::int64_t{steps}));
}

// The ellipse's size in doubled units: a pixel's offset from the centre is
// odd or even with the size, and every comparison stays in whole numbers.
struct Axes {
  std::int64_t across;  // width - 1: the doubled half-width, centre to outermost centre
  std::int64_t down;    // height - 1
};

// Along one axis of extent `reach` (doubled), at doubled offset `offset` on
// the other axis of extent `other`: the outermost pixel offset (same parity
// as reach, 0 to reach) that is nearest to the curve or past it. Offset k is
// nearest or further out exactly when the midpoint below it, k - 1, lies at
// or within the curve: (k - 1)^2 other^2 <= reach^2 (other^2 - offset^2).
std::int64_t NearestOutward(std::int64_t reach, std::int64_t other, std::int64_t offset) {
  const std::int64_t room = reach * reach * (other * other - offset * offset);
  const auto within = [&](std::int64_t k) { return k < 1 || (k - 1) * (k - 1) * other * other <= room; };
  std::int64_t k = reach;
  if (other > 0) {
    // Start just above the curve and walk inward: a step or two.
    const auto estimate = static_cast<std::int64_t>(std::sqrt(static_cast<double>(room))) / other + 3;
    k = std::min(reach, estimate);
    if ((reach - k) % 2 != 0) {
      --k;
    }
  }
  while (!within(k)) {
    k -= 2;
  }
  return k;
}

// Each row's half-span in doubled units, from the top row to the bottom one.
std::vector<std::int64_t> RowHalfSpans(Axes axes) {
  const std::int64_t width = axes.across + 1;
  const std::int64_t height = axes.down + 1;
  // The nearest pixel of each column, as a doubled row offset from the centre.
  std::vector<std::int64_t> columnReach(static_cast<std::size_t>(width));
  for (std::int64_t i = 0; i < width; ++i) {
    columnReach[static_cast<std::size_t>(i)] = NearestOutward(axes.down, axes.across, 2 * i - axes.across);
  }
  std::vector<std::int64_t> spans(static_cast<std::size_t>(height));
  for (std::int64_t j = 0; j < height; ++j) {
    const std::int64_t v = 2 * j - axes.down;
    std::int64_t half = NearestOutward(axes.across, axes.down, v);
    // Columns reach further out from the centre's column on: the outermost
    // whose pixel is at this row's height or beyond.
    for (std::int64_t i = 0; i < width; ++i) {
      const std::int64_t u = 2 * i - axes.across;
      if (columnReach[static_cast<std::size_t>(i)] >= std::abs(v)) {
        half = std::max(half, std::abs(u));
      }
    }
    spans[static_cast<std::size_t>(j)] = half;
  }
  return spans;
}

}  // namespace

void AppendLine(ImageCell a, ImageCell b, CellList& cells) {
  if (DrawnFirst(b, a)) {
    std::swap(a, b);
  }
  const int dx = b.column - a.column;
  const int dy = b.row - a.row;
  const int stepX = dx > 0 ? 1 : -1;
  const int stepY = dy > 0 ? 1 : -1;
  const int longer = std::max(std::abs(dx), std::abs(dy));
  if (longer == 0) {
    cells.push_back(a);
    return;
  }
  for (int t = 0; t <= longer; ++t) {
    if (std::abs(dx) >= std::abs(dy)) {
      cells.push_back({a.column + stepX * t, a.row + stepY * RoundedShare(t, std::abs(dy), longer)});
    } else {
      cells.push_back({a.column + stepX * RoundedShare(t, std::abs(dx), longer), a.row + stepY * t});
    }
  }
}

void AppendRectangle(ImageCell a, ImageCell b, bool filled, CellList& cells) {
  const int left = std::min(a.column, b.column);
  const int right = std::max(a.column, b.column);
  const int top = std::min(a.row, b.row);
  const int bottom = std::max(a.row, b.row);
  for (int row = top; row <= bottom; ++row) {
    const bool wholeRow = filled || row == top || row == bottom;
    for (int column = left; column <= right; column = wholeRow || column == right ? column + 1 : right) {
      cells.push_back({column, row});
    }
  }
}

void AppendEllipse(ImageCell a, ImageCell b, bool filled, CellList& cells) {
  const int left = std::min(a.column, b.column);
  const int top = std::min(a.row, b.row);
  const Axes axes{std::abs(b.column - a.column), std::abs(b.row - a.row)};
  const std::vector<std::int64_t> spans = RowHalfSpans(axes);
  const auto rows = static_cast<std::int64_t>(spans.size());
  // The leftmost column of row j's span, and one past its rightmost; nothing
  // for the rows beyond the ellipse.
  const auto spanOf = [&](std::int64_t j) -> std::pair<int, int> {
    if (j < 0 || j >= rows) {
      return {INT_MAX, INT_MIN};
    }
    const std::int64_t half = spans[static_cast<std::size_t>(j)];
    return {left + static_cast<int>((axes.across - half) / 2),
            left + static_cast<int>((axes.across + half) / 2) + 1};
  };
  for (std::int64_t j = 0; j < rows; ++j) {
    const auto [from, to] = spanOf(j);
    const int row = top + static_cast<int>(j);
    if (filled) {
      for (int column = from; column < to; ++column) {
        cells.push_back({column, row});
      }
      continue;
    }
    // Inside both neighbouring rows' spans, a pixel has no side outside
    // but at the row's own ends.
    const auto [aboveFrom, aboveTo] = spanOf(j - 1);
    const auto [belowFrom, belowTo] = spanOf(j + 1);
    const int coveredFrom = std::max({aboveFrom, belowFrom, from + 1});
    const int coveredTo = std::min({aboveTo, belowTo, to - 1});
    for (int column = from; column < to; ++column) {
      if (column == coveredFrom && coveredFrom < coveredTo) {
        column = coveredTo - 1;
        continue;
      }
      cells.push_back({column, row});
    }
  }
}
