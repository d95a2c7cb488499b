// Comparing the 800 x 600 headless screen, whole or in rectangles.
#include "screen_compare.h"

#include <algorithm>

namespace pixtest {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

::testing::AssertionResult WrongSize(const ScreenPixels& screen) {
  return ::testing::AssertionFailure() << "screen holds " << screen.size() << " pixels, expected "
                                       << kWidth * kHeight << " (no primary surface?)";
}

// Compares before and after at every pixel for which inArea(x, y) equals wantInside.
::testing::AssertionResult Compare(const ScreenPixels& before, const ScreenPixels& after,
                                   const ScreenRect& area, bool wantInside) {
  if (before.size() != static_cast<std::size_t>(kWidth * kHeight)) {
    return WrongSize(before);
  }
  if (after.size() != before.size()) {
    return WrongSize(after);
  }
  long differing = 0;
  int firstX = -1;
  int firstY = -1;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (area.Contains(x, y) != wantInside) {
        continue;
      }
      const std::size_t at = static_cast<std::size_t>(y) * kWidth + x;
      if (before[at] != after[at]) {
        if (differing++ == 0) {
          firstX = x;
          firstY = y;
        }
      }
    }
  }
  if (differing == 0) {
    return ::testing::AssertionSuccess();
  }
  const std::size_t at = static_cast<std::size_t>(firstY) * kWidth + firstX;
  return ::testing::AssertionFailure()
         << differing << " pixels differ " << (wantInside ? "inside" : "outside") << " (" << area.left << ","
         << area.top << ")-(" << area.right << "," << area.bottom << "); first at (" << firstX << ","
         << firstY << "): expected " << int{before[at]} << ", got " << int{after[at]};
}

}  // namespace

::testing::AssertionResult AllPixelsAre(const ScreenPixels& screen, const ScreenRect& area,
                                        std::uint8_t value) {
  if (screen.size() != static_cast<std::size_t>(kWidth * kHeight)) {
    return WrongSize(screen);
  }
  long wrong = 0;
  int firstX = -1;
  int firstY = -1;
  for (int y = std::max(area.top, 0); y < std::min(area.bottom, kHeight); ++y) {
    for (int x = std::max(area.left, 0); x < std::min(area.right, kWidth); ++x) {
      if (screen[static_cast<std::size_t>(y) * kWidth + x] != value && wrong++ == 0) {
        firstX = x;
        firstY = y;
      }
    }
  }
  if (wrong == 0) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << wrong << " pixels of (" << area.left << "," << area.top << ")-(" << area.right << ","
         << area.bottom << ") are not " << int{value} << "; first at (" << firstX << "," << firstY << ") is "
         << int{screen[static_cast<std::size_t>(firstY) * kWidth + firstX]};
}

::testing::AssertionResult SameOutside(const ScreenPixels& before, const ScreenPixels& after,
                                       const ScreenRect& area) {
  return Compare(before, after, area, false);
}

::testing::AssertionResult SameInside(const ScreenPixels& before, const ScreenPixels& after,
                                      const ScreenRect& area) {
  return Compare(before, after, area, true);
}

ScreenRect BoundsOfPixelsNot(const ScreenPixels& screen, std::uint8_t value) {
  ScreenRect bounds = {kWidth, kHeight, 0, 0};
  const int rows = static_cast<int>(screen.size() / kWidth);
  for (int y = 0; y < rows; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (screen[static_cast<std::size_t>(y) * kWidth + x] != value) {
        bounds.left = std::min(bounds.left, x);
        bounds.top = std::min(bounds.top, y);
        bounds.right = std::max(bounds.right, x + 1);
        bounds.bottom = std::max(bounds.bottom, y + 1);
      }
    }
  }
  if (bounds.right == 0) {
    return {0, 0, 0, 0};
  }
  return bounds;
}

}  // namespace pixtest
