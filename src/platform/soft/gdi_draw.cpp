// Pixels, lines and rectangles on a surface's device context, clipped to it.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "gdi_colour.h"
#include "gdi_internal.h"

namespace plat {

namespace {

// Wide enough for products of two coordinate differences.
__extension__ using Wide = __int128;

struct Span {
  std::int64_t begin;
  std::int64_t end;  // one past the last
};

Span Clip(std::int64_t begin, std::int64_t end, int limit) {
  return {std::max<std::int64_t>(begin, 0), std::min<std::int64_t>(end, limit)};
}

void FillRow(DeviceContext& dc, std::int64_t y, std::int64_t left, std::int64_t right, std::uint8_t index) {
  if (y < 0 || y >= dc.height) {
    return;
  }
  const Span x = Clip(left, right, dc.width);
  if (x.begin < x.end) {
    std::memset(dc.pixels + y * dc.pitch + x.begin, index, static_cast<std::size_t>(x.end - x.begin));
  }
}

void FillColumn(DeviceContext& dc, std::int64_t x, std::int64_t top, std::int64_t bottom,
                std::uint8_t index) {
  if (x < 0 || x >= dc.width) {
    return;
  }
  const Span y = Clip(top, bottom, dc.height);
  if (y.begin >= y.end) {
    return;
  }
  std::uint8_t* pixel = dc.pixels + y.begin * dc.pitch + x;
  for (std::int64_t row = y.begin; row < y.end; ++row, pixel += dc.pitch) {
    *pixel = index;
  }
}

void FillBox(DeviceContext& dc, std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
             std::uint8_t index) {
  const Span y = Clip(top, bottom, dc.height);
  for (std::int64_t row = y.begin; row < y.end; ++row) {
    FillRow(dc, row, left, right, index);
  }
}

// Step i of n along the minor axis of a line that moves by `minor` while the
// major axis moves by n: rounded to nearest, halfway towards the start.
std::int64_t MinorStep(std::int64_t i, std::int64_t minor, std::int64_t n) {
  return static_cast<std::int64_t>((Wide{2} * i * minor + n - 1) / (Wide{2} * n));
}

// First i in [low, high) for which test(i) holds, given test is false then
// true along the range; high when it never holds.
template <typename Test>
std::int64_t FirstWhere(std::int64_t low, std::int64_t high, Test test) {
  while (low < high) {
    const std::int64_t middle = low + (high - low) / 2;
    if (test(middle)) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

// A slanted line from (x0, y0) up to but not including (x1, y1): pixel i has
// major coordinate start + i and the rounded minor one. Only the steps that
// land on the surface are visited, so huge end points cost nothing.
void DrawSlanted(DeviceContext& dc, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                 std::uint8_t index) {
  const bool xMajor = std::abs(x1 - x0) >= std::abs(y1 - y0);
  const std::int64_t major0 = xMajor ? x0 : y0;
  const std::int64_t minor0 = xMajor ? y0 : x0;
  const std::int64_t majorDelta = xMajor ? x1 - x0 : y1 - y0;
  const std::int64_t minorDelta = xMajor ? y1 - y0 : x1 - x0;
  const int majorLimit = xMajor ? dc.width : dc.height;
  const int minorLimit = xMajor ? dc.height : dc.width;
  const std::int64_t n = std::abs(majorDelta);
  const std::int64_t majorSign = majorDelta > 0 ? 1 : -1;
  const std::int64_t minorSign = minorDelta > 0 ? 1 : -1;
  const std::int64_t minorSteps = std::abs(minorDelta);

  // Steps whose major coordinate lies on the surface.
  std::int64_t low = majorSign > 0 ? -major0 : major0 - majorLimit + 1;
  std::int64_t high = majorSign > 0 ? majorLimit - major0 : major0 + 1;
  low = std::max<std::int64_t>(low, 0);
  high = std::min(high, n);
  if (low >= high) {
    return;
  }
  // Of those, the steps whose minor coordinate does too: the minor
  // coordinate only moves one way, so they form one run.
  auto minorAt = [&](std::int64_t i) { return minor0 + minorSign * MinorStep(i, minorSteps, n); };
  const std::int64_t first = FirstWhere(low, high, [&](std::int64_t i) {
    const std::int64_t m = minorAt(i);
    return minorSign > 0 ? m >= 0 : m < minorLimit;
  });
  const std::int64_t last = FirstWhere(first, high, [&](std::int64_t i) {
    const std::int64_t m = minorAt(i);
    return minorSign > 0 ? m >= minorLimit : m < 0;
  });
  for (std::int64_t i = first; i < last; ++i) {
    const std::int64_t major = major0 + majorSign * i;
    const std::int64_t minor = minorAt(i);
    const std::int64_t x = xMajor ? major : minor;
    const std::int64_t y = xMajor ? minor : major;
    dc.pixels[y * dc.pitch + x] = index;
  }
}

// A line in the pen's colour from (x0, y0) up to but not including (x1, y1).
void DrawLine(DeviceContext& dc, std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
  if (dc.pen == nullptr || dc.pen->empty || (x0 == x1 && y0 == y1)) {
    return;
  }
  const std::uint8_t index = soft::MapColour(dc, dc.pen->colour);
  if (y0 == y1) {
    if (x1 > x0) {
      FillRow(dc, y0, x0, x1, index);
    } else {
      FillRow(dc, y0, x1 + 1, x0 + 1, index);
    }
  } else if (x0 == x1) {
    if (y1 > y0) {
      FillColumn(dc, x0, y0, y1, index);
    } else {
      FillColumn(dc, x0, y1 + 1, y0 + 1, index);
    }
  } else {
    DrawSlanted(dc, x0, y0, x1, y1, index);
  }
}

bool OnSurface(const DeviceContext* dc, int x, int y) {
  return x >= 0 && y >= 0 && x < dc->width && y < dc->height;
}

}  // namespace

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
  if (!soft::Drawable(dc) || !OnSurface(dc, x, y)) {
    return CLR_INVALID;
  }
  const std::uint8_t index = soft::MapColour(*dc, colour);
  dc->pixels[static_cast<std::int64_t>(y) * dc->pitch + x] = index;
  return soft::RgbOf(dc->palette[index]);
}

COLORREF GetPixel(HDC dc, int x, int y) {
  if (soft::Drawable(dc)) {
    if (!OnSurface(dc, x, y)) {
      return CLR_INVALID;
    }
    return soft::RgbOf(dc->palette[dc->pixels[static_cast<std::int64_t>(y) * dc->pitch + x]]);
  }
  if (dc == nullptr || !dc->memory || dc->bitmap == nullptr) {
    return CLR_INVALID;
  }
  const soft::BitmapPixels& bitmap = dc->bitmap->bitmap;
  if (x < 0 || y < 0 || x >= bitmap.width || y >= bitmap.height) {
    return CLR_INVALID;
  }
  const std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(bitmap.width) + x;
  return bitmap.indexed ? bitmap.colours[bitmap.indices[at]] : bitmap.rgb[at];
}

bool MoveToEx(HDC dc, int x, int y, POINT* previous) {
  if (dc == nullptr) {
    return false;
  }
  if (previous != nullptr) {
    *previous = dc->position;
  }
  dc->position = {x, y};
  return true;
}

bool LineTo(HDC dc, int x, int y) {
  if (!soft::Drawable(dc)) {
    return false;
  }
  DrawLine(*dc, dc->position.x, dc->position.y, x, y);
  dc->position = {x, y};
  return true;
}

bool Polyline(HDC dc, const POINT* points, int count) {
  if (!soft::Drawable(dc) || points == nullptr || count < 2) {
    return false;
  }
  for (int i = 0; i + 1 < count; ++i) {
    DrawLine(*dc, points[i].x, points[i].y, points[i + 1].x, points[i + 1].y);
  }
  return true;
}

bool Rectangle(HDC dc, int left, int top, int right, int bottom) {
  if (!soft::Drawable(dc)) {
    return false;
  }
  std::int64_t l = std::min(left, right);
  std::int64_t r = std::max(left, right);
  std::int64_t t = std::min(top, bottom);
  std::int64_t b = std::max(top, bottom);
  if (l == r || t == b) {
    return true;
  }
  // Inside first, so that the outline of a thin rectangle is the pen's.
  if (dc->brush != nullptr && !dc->brush->empty) {
    FillBox(*dc, l + 1, t + 1, r - 1, b - 1, soft::MapColour(*dc, dc->brush->colour));
  }
  if (dc->pen != nullptr && !dc->pen->empty) {
    const std::uint8_t index = soft::MapColour(*dc, dc->pen->colour);
    FillRow(*dc, t, l, r, index);
    FillRow(*dc, b - 1, l, r, index);
    FillColumn(*dc, l, t, b, index);
    FillColumn(*dc, r - 1, t, b, index);
  }
  return true;
}

}  // namespace plat
