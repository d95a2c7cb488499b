// An 8-bit surface in plain memory with a guard band around it.
#include "guarded_surface.h"

#include <cstdio>

namespace pixtest {

Palette GdiTestPalette() {
  Palette palette{};
  for (int i = 0; i < 256; ++i) {
    palette[i] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 77, 0};
  }
  palette[0] = {0, 0, 0, 0};
  palette[1] = {255, 255, 255, 0};
  palette[2] = {255, 0, 0, 0};
  palette[3] = {0, 255, 0, 0};
  palette[4] = {0, 0, 255, 0};
  palette[5] = {255, 0, 0, 0};
  palette[6] = {100, 100, 100, 0};
  palette[7] = {0, 0, 100, 0};
  palette[8] = {0, 0, 120, 0};
  return palette;
}

GuardedSurface::GuardedSurface(int width, int height, const Palette& palette, std::uint8_t fill)
    : width_(width), height_(height), pitch_(width + 2 * kMarginBytes), palette_(palette) {
  memory_.assign(static_cast<std::size_t>(pitch_) * (height + 2 * kMarginRows), kGuard);
  Fill(fill);
  std::uint8_t* origin = memory_.data() + static_cast<std::size_t>(kMarginRows) * pitch_ + kMarginBytes;
  // The pitch runs on past the right margin into the next row's left margin,
  // so a write that wraps into another row lands in guard bytes too.
  dc_ = plat::CreateSurfaceDC(origin, width, height, pitch_, palette_.data());
}

GuardedSurface::~GuardedSurface() {
  plat::DestroySurfaceDC(dc_);
}

std::uint8_t GuardedSurface::At(int x, int y) const {
  return memory_[static_cast<std::size_t>(y + kMarginRows) * pitch_ + x + kMarginBytes];
}

std::vector<std::uint8_t> GuardedSurface::Pixels() const {
  std::vector<std::uint8_t> pixels;
  pixels.reserve(static_cast<std::size_t>(width_) * height_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      pixels.push_back(At(x, y));
    }
  }
  return pixels;
}

void GuardedSurface::Fill(std::uint8_t index) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      memory_[static_cast<std::size_t>(y + kMarginRows) * pitch_ + x + kMarginBytes] = index;
    }
  }
}

int GuardedSurface::GuardDamage(std::string* first) const {
  int damaged = 0;
  const int rows = height_ + 2 * kMarginRows;
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < pitch_; ++column) {
      const int x = column - kMarginBytes;
      const int y = row - kMarginRows;
      const bool inside = x >= 0 && x < width_ && y >= 0 && y < height_;
      const std::uint8_t value = memory_[static_cast<std::size_t>(row) * pitch_ + column];
      if (!inside && value != kGuard) {
        if (damaged == 0 && first != nullptr) {
          char text[96];
          std::snprintf(text, sizeof text, "guard byte at surface (%d, %d) is %d, expected %d", x, y, value,
                        kGuard);
          *first = text;
        }
        ++damaged;
      }
    }
  }
  return damaged;
}

int GuardedSurface::CountNot(std::uint8_t fill) const {
  int count = 0;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      count += At(x, y) != fill;
    }
  }
  return count;
}

}  // namespace pixtest
