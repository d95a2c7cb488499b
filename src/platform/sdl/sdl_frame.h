// The 8-bit screen turned into 32-bit ARGB pixels for the window, and the
// copy of the last frame shown that lets an unchanged screen go unpresented.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "../platform_types.h"
#include "../soft/screen.h"

namespace plat::sdl {

using ColourTable = std::array<std::uint32_t, 256>;

// Opaque ARGB8888 for each palette entry; all black without a palette.
ColourTable BuildColourTable(const PALETTEENTRY* palette);

// The frame last handed to the window: 800 x 600 indices (the primary's
// top-left part, black where it has none) and the colours they had.
struct ShownFrame {
  std::vector<std::uint8_t> pixels;
  ColourTable colours{};
  bool valid = false;
};

// Copies the screen and colours into frame; true when they differ from what
// frame held (always true the first time). A view without memory, or with a
// pitch shorter than its width, counts as a black screen.
bool CaptureFrame(ShownFrame& frame, const soft::ScreenView& view, const ColourTable& colours);

// Writes frame's 800 x 600 pixels as ARGB8888 rows of pitch bytes at out.
void ExpandFrame(const ShownFrame& frame, void* out, int pitch);

}  // namespace plat::sdl
