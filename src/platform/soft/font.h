// The 8 x 16 text font, taken at build time from a Debian console font.
#pragma once

#include <cstdint>

namespace plat::soft {

// 256 glyphs of 16 rows each; bit 7 of a row byte is the leftmost pixel.
// Indexed by the byte of the text (the font's own code page order).
extern const std::uint8_t fontGlyphs[256][16];

}  // namespace plat::soft
