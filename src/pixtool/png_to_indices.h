// Turning a PNG's pixels into the palette indices of a pix image.
#pragma once

#include <cstddef>
#include <string>

#include "canvas/palette_table.h"
#include "export/png_io.h"
#include "pixtool/pix_images.h"

namespace pixtool {

struct ImportedPixels {
  Bytes indices;
  // Taken index for index from a palette PNG that shows the editor's colours.
  bool byIndex = false;
  // Pixels whose colour no swatch shows exactly, given the nearest swatch.
  std::size_t changed = 0;
  // Pixels not wholly opaque: laid on black first, as the editor has no transparency.
  std::size_t transparent = 0;
};

// A palette PNG whose palette agrees with the editor's on every index it uses
// is taken index for index; indices above 80, which the palette panel cannot
// pick, are refused unless allowAnyIndex. Any other PNG (colours, or a palette
// of its own order) is taken by colour: each pixel becomes its swatch index as
// the editor's save would give it. False with a message on refusal.
bool ToPixIndices(const PngPixels& png, const PaletteColours& editorColours, bool allowAnyIndex,
                  ImportedPixels& imported, std::string& error);

}  // namespace pixtool
