// The 8-bit screen turned into 32-bit pixels for the window, and the copy of
// the last frame shown that lets an unchanged screen go unpresented. Shared by
// the sdl and win32 backends.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "../platform_types.h"

namespace plat::present {

// Opaque 0xAARRGGBB for each palette entry (SDL's ARGB8888, and the blue,
// green, red, unused bytes of a 32-bit Windows bitmap); all black without a
// palette.
using ColourTable = std::array<std::uint32_t, 256>;
ColourTable BuildColourTable(const PALETTEENTRY* palette);

// The primary surface's memory as a backend reads it: rows of width indices
// pitch bytes apart; pixels null when there is none.
struct FrameView {
  const std::uint8_t* pixels;
  int width;
  int height;
  int pitch;
};

// The frame last handed to the window: 800 x 600 indices (the primary's
// top-left part, black where it has none) and the colours they had.
// changedRows[y] is 1 when row y changed at the last capture (every row when
// the colours did).
struct ShownFrame {
  std::vector<std::uint8_t> pixels;
  ColourTable colours{};
  std::vector<std::uint8_t> changedRows;
  bool valid = false;
};

// Copies the screen and colours into frame; true when they differ from what
// frame held (always true the first time). A view without memory, or with a
// pitch shorter than its width, counts as a black screen.
bool CaptureFrame(ShownFrame& frame, const FrameView& view, const ColourTable& colours);

// Writes frame's 800 x 600 pixels as 32-bit rows of pitch bytes at out.
void ExpandFrame(const ShownFrame& frame, void* out, int pitch);

}  // namespace plat::present
