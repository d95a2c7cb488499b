// Comparing the 800 x 600 headless screen, whole or in rectangles.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace pixtest {

using ScreenPixels = std::vector<std::uint8_t>;  // as plat::headless::Screen() gives it

// A rectangle of screen pixels: left..right-1 by top..bottom-1.
struct ScreenRect {
  int left;
  int top;
  int right;
  int bottom;
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};
inline constexpr ScreenRect kWholeScreen = {0, 0, 800, 600};

// Every pixel of area is palette index value. Fails with the first pixel
// that is not, and how many are not.
::testing::AssertionResult AllPixelsAre(const ScreenPixels& screen, const ScreenRect& area,
                                        std::uint8_t value);
// The two screens agree everywhere outside area (pass {0,0,0,0} for everywhere).
::testing::AssertionResult SameOutside(const ScreenPixels& before, const ScreenPixels& after,
                                       const ScreenRect& area);
// The two screens agree everywhere inside area.
::testing::AssertionResult SameInside(const ScreenPixels& before, const ScreenPixels& after,
                                      const ScreenRect& area);
// The smallest rectangle holding every pixel that is not value; {0,0,0,0} when none.
ScreenRect BoundsOfPixelsNot(const ScreenPixels& screen, std::uint8_t value);

}  // namespace pixtest
