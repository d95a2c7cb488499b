// The fill: a scanline walk over the working image, by the colours its indices show.
#include "canvas/fill.h"

#include <array>
#include <cstdint>
#include <vector>

#include "canvas/drawing_aids.h"
#include "canvas/selection.h"

namespace {

// A run of the area still to be widened: a pixel of it on a row.
struct Seed {
  int column;
  int row;
};

}  // namespace

int MarkFillArea(const IndexImage& image, ImageCell seed, int colour, bool everywhere,
                 std::vector<std::uint8_t>& area) {
  area.assign(image.pixels.size(), 0);
  if (seed.column < 0 || seed.row < 0 || seed.column >= image.width || seed.row >= image.height) {
    return 0;
  }
  std::array<bool, 256> matches{};
  const std::uint32_t target = ShownColour(image.At(seed.column, seed.row));
  if (target == ShownColour(colour)) {
    return 0;
  }
  for (int index = 0; index < 256; ++index) {
    matches[static_cast<std::size_t>(index)] = ShownColour(index) == target;
  }
  const auto at = [&image](int column, int row) { return image.IndexOf(column, row); };
  int marked = 0;
  if (everywhere) {
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
      if (matches[image.pixels[i]]) {
        area[i] = 1;
        ++marked;
      }
    }
    return marked;
  }
  const auto open = [&](int column, int row) {
    return area[at(column, row)] == 0 && matches[image.pixels[at(column, row)]];
  };
  // An explicit stack: an area may hold every pixel of a 999 x 999 image.
  std::vector<Seed> stack = {{seed.column, seed.row}};
  while (!stack.empty()) {
    const Seed next = stack.back();
    stack.pop_back();
    if (!open(next.column, next.row)) {
      continue;
    }
    int left = next.column;
    while (left > 0 && open(left - 1, next.row)) {
      --left;
    }
    int right = next.column;
    while (right + 1 < image.width && open(right + 1, next.row)) {
      ++right;
    }
    for (int column = left; column <= right; ++column) {
      area[at(column, next.row)] = 1;
    }
    marked += right - left + 1;
    // One seed for each run of open pixels above and below the run.
    for (const int row : {next.row - 1, next.row + 1}) {
      if (row < 0 || row >= image.height) {
        continue;
      }
      for (int column = left; column <= right; ++column) {
        if (open(column, row) && (column == left || !open(column - 1, row))) {
          stack.push_back({column, row});
        }
      }
    }
  }
  return marked;
}

bool FillImage(ImageCell seed, int colour, bool everywhere) {
  return ChangeWorkingImage([&](const IndexImage& before, IndexImage& after) {
    // A mirrored fill fills the area at each mirror of the seed too, each
    // found on the image as it was.
    std::vector<std::uint8_t> all;
    std::vector<std::uint8_t> area;
    for (const ImageCell& each : WithMirrors({seed})) {
      if (MarkFillArea(before, each, colour, everywhere, area) == 0) {
        continue;
      }
      all.resize(area.size(), 0);
      for (std::size_t i = 0; i < area.size(); ++i) {
        all[i] |= area[i];
      }
    }
    // With a selection, only inside it.
    bool changed = false;
    for (std::size_t i = 0; i < all.size(); ++i) {
      const int column = static_cast<int>(i % static_cast<std::size_t>(after.width));
      const int row = static_cast<int>(i / static_cast<std::size_t>(after.width));
      if (all[i] != 0 && PaintableCell(column, row)) {
        after.pixels[i] = static_cast<std::uint8_t>(colour);
        changed = true;
      }
    }
    return changed;
  });
}
