// Models of the drawing rules: each pixel decided on its own.
#include "shape_models.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace pixtest {

namespace {

// The whole number nearest value; at a tie, the one nearer toward.
int Nearest(double value, double toward) {
  const double below = std::floor(value);
  const double fraction = value - below;
  if (fraction < 0.5) {
    return static_cast<int>(below);
  }
  if (fraction > 0.5) {
    return static_cast<int>(below) + 1;
  }
  return static_cast<int>(std::abs(below - toward) < std::abs(below + 1 - toward) ? below : below + 1);
}

// Of the candidates parity, parity + 2, ... up to reach (offsets from the
// middle in half pixels), the one nearest value, a tie going to the larger.
int NearestOffset(double value, int reach) {
  const int parity = reach % 2;
  const int n = static_cast<int>(std::floor((value - parity) / 2 + 0.5));
  return std::clamp(parity + 2 * n, parity, reach);
}

}  // namespace

CellSet ModelLine(int x0, int y0, int x1, int y1) {
  // The end with the larger column, or the larger row.
  const bool firstIsFar = x0 != x1 ? x0 > x1 : y0 > y1;
  const int farX = firstIsFar ? x0 : x1;
  const int farY = firstIsFar ? y0 : y1;
  CellSet cells;
  const int dx = x1 - x0;
  const int dy = y1 - y0;
  if (dx == 0 && dy == 0) {
    cells.insert({x0, y0});
  } else if (std::abs(dx) >= std::abs(dy)) {
    for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) {
      cells.insert({x, Nearest(y0 + static_cast<double>(x - x0) * dy / dx, farY)});
    }
  } else {
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) {
      cells.insert({Nearest(x0 + static_cast<double>(y - y0) * dx / dy, farX), y});
    }
  }
  return cells;
}

CellSet ModelRectangle(int x0, int y0, int x1, int y1, bool filled) {
  CellSet cells;
  for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y) {
    for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) {
      const bool border = x == x0 || x == x1 || y == y0 || y == y1;
      if (filled || border) {
        cells.insert({x, y});
      }
    }
  }
  return cells;
}

CellSet ModelEllipse(int x0, int y0, int x1, int y1, bool filled) {
  const int left = std::min(x0, x1);
  const int top = std::min(y0, y1);
  // Half-pixel units from the middle: offsets run from -a to a and -b to b.
  const int a = std::abs(x1 - x0);
  const int b = std::abs(y1 - y0);
  const auto inside = [&](int x, int y) {
    const int u = 2 * (x - left) - a;
    const int v = 2 * (y - top) - b;
    if (std::abs(u) > a || std::abs(v) > b) {
      return false;
    }
    // The curve's height over this column and its reach across this row.
    const double height = a == 0 ? b : b * std::sqrt(static_cast<double>(a * a - u * u)) / a;
    const double reach = b == 0 ? a : a * std::sqrt(static_cast<double>(b * b - v * v)) / b;
    return std::abs(v) <= NearestOffset(height, b) || std::abs(u) <= NearestOffset(reach, a);
  };
  CellSet cells;
  for (int y = top; y <= top + b; ++y) {
    for (int x = left; x <= left + a; ++x) {
      const bool edge = !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
      if (inside(x, y) && (filled || edge)) {
        cells.insert({x, y});
      }
    }
  }
  return cells;
}

}  // namespace pixtest
