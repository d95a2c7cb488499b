// The 8-bit screen turned into 32-bit pixels for a window or a canvas, and the
// copy of the last frame shown that lets an unchanged screen go unpresented.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "../platform_types.h"
#include "screen.h"

namespace plat::soft {

using ColourTable = std::array<std::uint32_t, 256>;

// How a 32-bit pixel holds its colour: Argb is 0xAARRGGBB (SDL's ARGB8888);
// Rgba puts red, green, blue and alpha in memory in that order, as a canvas's
// image data wants them (0xAABBGGRR read as a little-endian word).
enum class PixelOrder { Argb, Rgba };

// Opaque colours for each palette entry; all black without a palette.
ColourTable BuildColourTable(const PALETTEENTRY* palette, PixelOrder order = PixelOrder::Argb);

// The frame last handed to the window: 800 x 600 indices (the primary's
// top-left part, black where it has none) and the colours they had.
// changedRows[y] is 1 when row y changed at the last capture (every row when
// the colours did): a backend that scales in software redraws only those.
struct ShownFrame {
  std::vector<std::uint8_t> pixels;
  ColourTable colours{};
  std::vector<std::uint8_t> changedRows;
  bool valid = false;
};

// Copies the screen and colours into frame; true when they differ from what
// frame held (always true the first time). A view without memory, or with a
// pitch shorter than its width, counts as a black screen.
bool CaptureFrame(ShownFrame& frame, const ScreenView& view, const ColourTable& colours);

// Writes frame's 800 x 600 pixels, in the colours of its table, as rows of
// pitch bytes at out.
void ExpandFrame(const ShownFrame& frame, void* out, int pitch);

}  // namespace plat::soft
