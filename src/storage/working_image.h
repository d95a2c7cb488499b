// The working view read back from the screen as the image a save writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "../platform/gdi.h"

// The image of the current size, one palette index a pixel, row by row.
struct WorkingImage {
  std::unique_ptr<std::uint8_t[]> indices;
  std::size_t size = 0;
};

// Reads every pixel of the working view with GetPixel through dc and turns
// its colour into the highest swatch index showing it; a colour no swatch
// shows (a pixel off the screen reads as none) takes the index of the pixel
// before it, 0 for the first. False when the memory for it cannot be had.
bool ReadWorkingImage(plat::HDC dc, WorkingImage& image);
