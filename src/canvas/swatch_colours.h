// The swatches' colours as the screen shows them, and the palette index a colour maps to.
#pragma once

#include <array>
#include <cstdint>

#include "../platform/gdi.h"
#include "screen_layout.h"

// The swatches cannot change while one is in use, so their colours are read
// once, at the 81 sample points; each colour then keeps the highest index
// showing it, as the last match of a comparison with all 81 wins (every white
// pixel maps to 80).
class SwatchColours {
 public:
  explicit SwatchColours(plat::HDC dc) {
    slots_.fill(Slot{0, -1});
    for (int c = 0; c < layout::kSwatchColumns; ++c) {
      for (int k = 0; k < layout::kSwatchRows; ++k) {
        Add(plat::GetPixel(dc, layout::SwatchSampleX(c), layout::SwatchSampleY(k)),
            layout::kSwatchRows * c + k);
      }
    }
  }

  // The highest swatch index showing colour, or -1 when no swatch does.
  int Match(plat::COLORREF colour) const {
    for (std::uint32_t slot = SlotOf(colour);; slot = (slot + 1) % kSlots) {
      if (slots_[slot].index < 0 || slots_[slot].colour == colour) {
        return slots_[slot].index;
      }
    }
  }

 private:
  static constexpr std::uint32_t kSlots = 256;  // over three times the 81 colours: short probes
  struct Slot {
    plat::COLORREF colour;
    int index;  // -1: empty
  };

  static std::uint32_t SlotOf(plat::COLORREF colour) { return (colour * 2654435761u) >> 24; }

  void Add(plat::COLORREF colour, int index) {
    std::uint32_t slot = SlotOf(colour);
    while (slots_[slot].index >= 0 && slots_[slot].colour != colour) {
      slot = (slot + 1) % kSlots;
    }
    slots_[slot] = Slot{colour, index};
  }

  std::array<Slot, kSlots> slots_;
};
