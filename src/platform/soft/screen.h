// The primary surface as the backends and tests see it.
#pragma once

#include <cstdint>

#include "../platform_types.h"

namespace plat::soft {

// The primary surface's memory and the palette set on it. pixels is null
// while no primary surface exists; palette is null until one is set.
struct ScreenView {
  const std::uint8_t* pixels;
  int width;
  int height;
  int pitch;
  const PALETTEENTRY* palette;
};
ScreenView CurrentScreen();

}  // namespace plat::soft
