// The palette's generated colours and the fixed ones laid over them.
#include "palette_table.h"

namespace {

void AdvanceState(PaletteRandom& generator) {
  generator.state = generator.state * 1664525u + 1013904223u;
}

}  // namespace

std::uint32_t NextPaletteRandom(PaletteRandom& generator) {
  if (!generator.prepared) {
    for (int i = 0; i < 8; ++i) {
      AdvanceState(generator);
    }
    for (std::uint32_t& slot : generator.table) {
      AdvanceState(generator);
      slot = generator.state;
    }
    generator.lastOutput = generator.table[31];
    generator.prepared = true;
  }
  AdvanceState(generator);
  const std::uint32_t slot = generator.lastOutput & 31u;
  generator.lastOutput = generator.table[slot];
  generator.table[slot] = generator.state;
  return generator.lastOutput & 0x3FFFFFFFu;
}

PaletteColours GeneratePaletteColours() {
  // A fresh generator every time: the generated colours are the same in every run.
  PaletteRandom generator;
  PaletteColours colours = {};
  for (std::size_t i = 1; i <= 254; ++i) {
    colours[i].red = static_cast<std::uint8_t>(NextPaletteRandom(generator) % 256);
    colours[i].green = static_cast<std::uint8_t>(NextPaletteRandom(generator) % 256);
    colours[i].blue = static_cast<std::uint8_t>(NextPaletteRandom(generator) % 256);
  }
  for (std::size_t i = 1; i <= 80; ++i) {
    colours[i] = fixedColours[i];
  }
  colours[0] = {0, 0, 0};
  colours[255] = {255, 255, 255};
  return colours;
}
