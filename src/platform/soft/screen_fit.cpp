// The screen's place in the window, the mapping of points both ways, and the scale's whole multiple.
#include "screen_fit.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "../display.h"

namespace plat::soft {
namespace {

// Sizes beyond this are nonsense from a broken window system; capping them
// keeps every product below in 64 bits.
constexpr int kMaxWindowSide = 1 << 20;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) {
    --q;
  }
  return q;
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
  return -FloorDiv(-a, b);
}

bool SameLetters(const char* a, const char* b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    if (lower(*a) != lower(*b)) {
      return false;
    }
  }
  return *a == *b;
}

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

Letterbox MakeLetterbox(int windowWidth, int windowHeight, Scaling scaling) {
  const int w = std::clamp(windowWidth, 1, kMaxWindowSide);
  const int h = std::clamp(windowHeight, 1, kMaxWindowSide);
  Letterbox box{};
  box.windowWidth = w;
  box.windowHeight = h;
  const int whole = std::min(w / kScreenWidth, h / kScreenHeight);
  if (scaling == Scaling::Whole && whole >= 1) {
    box.num = whole;
    box.den = 1;
    box.offsetX = (w - kScreenWidth * whole) / 2;
    box.offsetY = (h - kScreenHeight * whole) / 2;
  } else if (std::int64_t{kScreenWidth} * h >= std::int64_t{kScreenHeight} * w) {
    // Window as wide as the screen's shape or narrower: bars above and below.
    box.num = w;
    box.den = kScreenWidth;
    const std::int64_t shown = std::int64_t{kScreenHeight} * w / kScreenWidth;
    box.offsetX = 0;
    box.offsetY = static_cast<int>((h - shown) / 2);
  } else {
    box.num = h;
    box.den = kScreenHeight;
    const std::int64_t shown = std::int64_t{kScreenWidth} * h / kScreenHeight;
    box.offsetX = static_cast<int>((w - shown) / 2);
    box.offsetY = 0;
  }
  return box;
}

// A window pixel shows the screen pixel under its centre, as the renderers
// sample: floor((w - offset + 1/2) / scale).
POINT WindowToScreen(const Letterbox& box, int windowX, int windowY) {
  const auto map = [&box](int w, int offset) {
    return ClampToInt(FloorDiv((2 * (std::int64_t{w} - offset) + 1) * box.den, 2 * box.num));
  };
  return POINT{map(windowX, box.offsetX), map(windowY, box.offsetY)};
}

// The first window pixel whose centre lies on screen pixel s.
POINT ScreenToWindow(const Letterbox& box, int x, int y) {
  const auto map = [&box](int s, int offset) {
    return ClampToInt(offset + CeilDiv(2 * std::int64_t{s} * box.num - box.den, 2 * box.den));
  };
  return POINT{map(x, box.offsetX), map(y, box.offsetY)};
}

WindowRect ScreenRectToWindow(const Letterbox& box, const RECT& rect) {
  const POINT topLeft = ScreenToWindow(box, rect.left, rect.top);
  const POINT bottomRight = ScreenToWindow(box, rect.right, rect.bottom);
  const int left = std::clamp(topLeft.x, 0, box.windowWidth - 1);
  const int top = std::clamp(topLeft.y, 0, box.windowHeight - 1);
  const int right = std::clamp(bottomRight.x, left + 1, box.windowWidth);
  const int bottom = std::clamp(bottomRight.y, top + 1, box.windowHeight);
  return WindowRect{left, top, right - left, bottom - top};
}

ScalePlan PlanScale(const Letterbox& box) {
  ScalePlan plan{};
  plan.dest.x = box.offsetX;
  plan.dest.y = box.offsetY;
  plan.dest.w = static_cast<int>(std::max<std::int64_t>(1, std::int64_t{kScreenWidth} * box.num / box.den));
  plan.dest.h = static_cast<int>(std::max<std::int64_t>(1, std::int64_t{kScreenHeight} * box.num / box.den));
  // Of the two whole multiples around the scale, the one nearer to it in
  // ratio: the linear step then stretches or shrinks the least, and its two
  // taps come nearest to each window pixel's share of each screen pixel (a
  // checkerboard stays within 40 of 255 at every scale; always taking the
  // multiple above would be 64 off just over 1 time).
  const std::int64_t below = box.num / box.den;
  std::int64_t factor = std::max<std::int64_t>(1, below);
  if (below >= 1 && box.num % box.den != 0 && box.num * box.num >= below * (below + 1) * box.den * box.den) {
    factor = below + 1;
  }
  plan.factor = static_cast<int>(factor);
  return plan;
}

Scaling ScalingFromName(const char* name, bool* known) {
  const bool whole = name != nullptr && SameLetters(name, "whole");
  *known = name == nullptr || *name == '\0' || whole || SameLetters(name, "area");
  return whole ? Scaling::Whole : Scaling::Area;
}

Scaling ScalingFromEnvironment() {
  bool known = true;
  const Scaling scaling = ScalingFromName(std::getenv("PIXED_SCALING"), &known);
  if (!known) {
    std::fprintf(stderr, "pixed: PIXED_SCALING is \"area\" or \"whole\"; taking \"area\"\n");
  }
  return scaling;
}

}  // namespace plat::soft
