// The editor's 256 colours, built by the one generator that both the editor and
// pixtool use. Free of platform headers, so any program of the repository can link it.
#pragma once

#include <array>
#include <cstdint>

#include "fixed_colours.h"

// The never-seeded generator behind the palette's entries 81 to 254.
struct PaletteRandom {
  std::uint32_t state = 1;
  std::uint32_t table[32] = {};
  std::uint32_t lastOutput = 0;
  bool prepared = false;
};
std::uint32_t NextPaletteRandom(PaletteRandom& generator);

using PaletteColours = std::array<PaletteColour, 256>;

// Entry i is the colour of palette index i: the generated colours, the 81 fixed
// ones over entries 1 to 80, black 0 and white 255. The same in every run.
PaletteColours GeneratePaletteColours();
