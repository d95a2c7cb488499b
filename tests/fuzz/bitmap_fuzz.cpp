// Fuzz target: arbitrary bytes as a bitmap file, drawn by DrawBitmapFile at an
// arbitrary position, partly or wholly off the screen. The file is drawn
// exactly when it decodes; then the part on the screen shows its pixels in
// the palette's colours, and a ring of pixels around it is left untouched.
// Input: the file, then (at the end) the position.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "app/editor_state.h"
#include "draw/primitives.h"
#include "fuzz_machine.h"
#include "platform/display.h"
#include "platform/soft/gdi_bmp_decode.h"
#include "platform/soft/gdi_colour.h"
#include "platform/window.h"

namespace {

// Mostly near the screen, now and then at the ends of the int range.
int Position(FuzzedDataProvider& input) {
  const auto kind = input.ConsumeIntegral<std::uint8_t>();
  if (kind < 240) {
    return input.ConsumeIntegralInRange<int>(-1024, 1023);
  }
  constexpr int kFar[] = {INT_MIN, INT_MIN + 1, -65536, -801, 800, 65535, INT_MAX - 1, INT_MAX};
  return kFar[kind % 8];
}

// The screen pixels just outside the rectangle (x, y, width, height).
template <typename Visit>
void ForEachRingPixel(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height, Visit visit) {
  const std::int64_t left = std::max<std::int64_t>(x - 1, -1);
  const std::int64_t right = std::min<std::int64_t>(x + width, plat::kScreenWidth);
  for (std::int64_t column = left; column <= right; ++column) {
    for (std::int64_t row : {y - 1, y + height}) {
      if (pixfuzz::ScreenLock::On(column, row)) {
        visit(column, row);
      }
    }
  }
  const std::int64_t top = std::max<std::int64_t>(y, 0);
  const std::int64_t bottom = std::min<std::int64_t>(y + height, plat::kScreenHeight);
  for (std::int64_t row = top; row < bottom; ++row) {
    for (std::int64_t column : {x - 1, x + width}) {
      if (pixfuzz::ScreenLock::On(column, row)) {
        visit(column, row);
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  pixfuzz::OpenEditorOnce();
  const pixfuzz::Input scope;
  FuzzedDataProvider input(data, size);
  const int x = Position(input);
  const int y = Position(input);
  const std::vector<std::uint8_t> file = input.ConsumeRemainingBytes<std::uint8_t>();
  pixfuzz::WriteFile("b.bmp", file.data(), file.size());

  plat::soft::BitmapPixels bitmap;
  const bool decodes = plat::soft::DecodeBmp(file.data(), file.size(), &bitmap);
  const std::uint8_t sentinel = static_cast<std::uint8_t>(x ^ y ^ 0x5A);
  {
    const pixfuzz::ScreenLock screen;
    ForEachRingPixel(x, y, bitmap.width, bitmap.height,
                     [&](std::int64_t column, std::int64_t row) { screen.At(column, row) = sentinel; });
  }

  // Each input is the next pass: its file is read afresh.
  plat::BeginEditorPass();
  const int drawn = DrawBitmapFile(displayDevice.primarySurface, x, y, "b.bmp");
  pixfuzz::Check(drawn == (decodes ? 1 : 0), decodes ? "a bitmap that decodes was not drawn"
                                                     : "a bitmap was drawn from a file that does not decode");
  if (!decodes) {
    return 0;
  }
  std::uint64_t generation = 0;
  const plat::soft::ColourTable& table = *plat::soft::ColourTableFor(paletteTable, &generation);
  const pixfuzz::ScreenLock screen;
  for (std::int64_t row = std::max<std::int64_t>(0, -std::int64_t{y}); row < bitmap.height; ++row) {
    if (y + row >= plat::kScreenHeight) {
      break;
    }
    for (std::int64_t column = std::max<std::int64_t>(0, -std::int64_t{x}); column < bitmap.width; ++column) {
      if (x + column >= plat::kScreenWidth) {
        break;
      }
      const std::size_t at = static_cast<std::size_t>(row * bitmap.width + column);
      const plat::COLORREF colour = bitmap.indexed ? bitmap.colours[bitmap.indices[at]] : bitmap.rgb[at];
      pixfuzz::Check(screen.At(x + column, y + row) == plat::soft::IndexOfRgb(table, colour),
                     "a pixel of the bitmap shows the wrong colour");
    }
  }
  ForEachRingPixel(x, y, bitmap.width, bitmap.height, [&](std::int64_t column, std::int64_t row) {
    pixfuzz::Check(screen.At(column, row) == sentinel, "a pixel next to the bitmap changed");
  });
  return 0;
}
