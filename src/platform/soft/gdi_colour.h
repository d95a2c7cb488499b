// Mapping GDI colour values to the palette entries of an 8-bit surface.
#pragma once

#include <cstddef>
#include <cstdint>

#include "../platform_types.h"

namespace plat {
class DeviceContext;
}

namespace plat::soft {

// The lookup of one palette's contents: the nearest entry (squared RGB
// distance, ties to the lowest index), so an exact colour gives the lowest
// entry holding it. Tables
// are kept for the few palettes in use and rebuilt when a palette's contents
// change; a context takes its palette's colours when it first maps one.
class ColourTable;

// The palette entry for an RGB value (top byte ignored).
std::uint8_t IndexOfRgb(const ColourTable& table, COLORREF rgb);
// The same for count values at once, faster for many different colours.
void IndicesOfRgb(const ColourTable& table, const COLORREF* colours, std::uint8_t* indices,
                  std::size_t count);
// The table for these 256 entries, made or found again; generation tells a
// holder whether the table was since reused for other colours.
const ColourTable* ColourTableFor(const PALETTEENTRY* palette, std::uint64_t* generation);
// The table a surface context maps with (found again when it was reused).
const ColourTable& TableOf(DeviceContext& dc);

// A GDI colour value on the context's palette: PALETTEINDEX(i) is i (above
// 255 it is 255); PALETTERGB and any other top byte count as RGB.
std::uint8_t MapColour(DeviceContext& dc, COLORREF colour);

inline COLORREF RgbOf(const PALETTEENTRY& entry) {
  return RGB(entry.peRed, entry.peGreen, entry.peBlue);
}

}  // namespace plat::soft
