// The image as far as the screen shows it: read from the working view (the
// image Save writes) and written back grid first, for the tools that change
// many pixels at once (fill, flips, shifts).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "canvas/locked_screen.h"

struct ShownImage {
  // The image's width and height, cut where the working view leaves the
  // screen: an image larger than the screen's areas is worked on as far as
  // it is shown.
  int columns = 0;
  int rows = 0;
  // Palette indices, row by row.
  std::vector<std::uint8_t> pixels;

  std::size_t IndexOf(int column, int row) const {
    return static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
           static_cast<std::size_t>(column);
  }
  std::uint8_t& At(int column, int row) { return pixels[IndexOf(column, row)]; }
  std::uint8_t At(int column, int row) const { return pixels[IndexOf(column, row)]; }
};

// The working view of the current width and height, as far as it lies on the screen.
ShownImage ReadShownImage(const LockedScreen& screen);

// Writes after over before (the same size): the grid blocks of the pixels
// that changed, then the whole working view, so that where the areas of a
// large image overlap, the working view comes out as after.
void PaintShownImage(const LockedScreen& screen, const ShownImage& before, const ShownImage& after);

// Reads the image, lets change make the new one from it (after starts as a
// copy of before; false leaves the image alone), and paints that as one step
// of the history. False when nothing was painted.
bool ChangeShownImage(const std::function<bool(const ShownImage& before, ShownImage& after)>& change);

// The colour a palette index shows, as 0xRRGGBB. Indices of one colour (15,
// 80 and 255 are all white) look the same and save the same, so the tools
// compare colours by this, not by the index.
std::uint32_t ShownColour(int index);
