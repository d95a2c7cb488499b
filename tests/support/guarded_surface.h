// An 8-bit surface in plain memory with a guard band around it, drawn on
// through the software GDI, to prove that nothing is written outside.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/gdi.h"

namespace pixtest {

using Palette = std::array<plat::PALETTEENTRY, 256>;

// A palette for GDI tests: 0 black, 1 white, 2 and 5 pure red (a duplicate),
// 3 pure green, 4 pure blue, 6 (100, 100, 100), 7 (0, 0, 100), 8 (0, 0, 120);
// every other entry i is (i, 255 - i, 77), none of them equal to another.
Palette GdiTestPalette();

class GuardedSurface {
 public:
  static constexpr std::uint8_t kGuard = 0xEE;
  static constexpr int kMarginBytes = 48;  // left and right of every row
  static constexpr int kMarginRows = 4;    // above and below

  GuardedSurface(int width, int height, const Palette& palette = GdiTestPalette(), std::uint8_t fill = 0);
  ~GuardedSurface();
  GuardedSurface(const GuardedSurface&) = delete;
  GuardedSurface& operator=(const GuardedSurface&) = delete;

  plat::HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  std::uint8_t At(int x, int y) const;
  // The surface's pixels row by row, width x height.
  std::vector<std::uint8_t> Pixels() const;
  // Fills the surface (not the guard) with one index.
  void Fill(std::uint8_t index);
  // How many guard bytes were changed, and a description of the first.
  int GuardDamage(std::string* first = nullptr) const;
  // How many surface pixels are not fill.
  int CountNot(std::uint8_t fill) const;
  Palette& PaletteEntries() { return palette_; }

 private:
  int width_;
  int height_;
  int pitch_;
  Palette palette_;
  std::vector<std::uint8_t> memory_;
  plat::HDC dc_ = nullptr;
};

}  // namespace pixtest
