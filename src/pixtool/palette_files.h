// The editor's 256 colours as the palette files other paint programs load.
#pragma once

#include <optional>
#include <string>

#include "canvas/palette_table.h"
#include "pixtool/pix_images.h"

namespace pixtool {

// GIMP's .gpl, JASC's .pal (Paint Shop Pro, Aseprite), Adobe's colour table
// .act (Photoshop) and a hex list .hex (one rrggbb a line, as palette sites
// hand them out).
enum class PaletteFormat { Gpl, Pal, Act, Hex };

// The format of a --format value ("gpl", "pal", "act", "hex").
std::optional<PaletteFormat> PaletteFormatNamed(const std::string& name);
// The format a file name's extension says, in any case ("art.GPL").
std::optional<PaletteFormat> PaletteFormatOfFile(const std::string& path);

// The file's bytes: every colour, entry i at place i.
Bytes PaletteFile(PaletteFormat format, const PaletteColours& colours);

}  // namespace pixtool
