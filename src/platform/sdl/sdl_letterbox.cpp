// The screen's place in the window and the mapping of points both ways.
#include "sdl_letterbox.h"

#include <algorithm>

#include "../display.h"

namespace plat::sdl {
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

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

Letterbox MakeLetterbox(int windowWidth, int windowHeight) {
  const int w = std::clamp(windowWidth, 1, kMaxWindowSide);
  const int h = std::clamp(windowHeight, 1, kMaxWindowSide);
  Letterbox box{};
  box.windowWidth = w;
  box.windowHeight = h;
  if (std::int64_t{kScreenWidth} * h >= std::int64_t{kScreenHeight} * w) {
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

POINT WindowToScreen(const Letterbox& box, int windowX, int windowY) {
  return POINT{ClampToInt(FloorDiv((std::int64_t{windowX} - box.offsetX) * box.den, box.num)),
               ClampToInt(FloorDiv((std::int64_t{windowY} - box.offsetY) * box.den, box.num))};
}

POINT ScreenToWindow(const Letterbox& box, int x, int y) {
  return POINT{ClampToInt(box.offsetX + CeilDiv(std::int64_t{x} * box.num, box.den)),
               ClampToInt(box.offsetY + CeilDiv(std::int64_t{y} * box.num, box.den))};
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

}  // namespace plat::sdl
