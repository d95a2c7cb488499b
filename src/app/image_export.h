// Ctrl+Shift+E: the load file's images written beside it as pictures, by the
// export library that pixtool's export uses too, so that the files are byte
// for byte what "pixtool export" makes of the same file with the same rate
// and palette: a looping GIF and a sprite sheet with its JSON of the file as
// saved, at the rate the preview plays at, and a PNG of the image being
// edited as the working view shows it, saved or not; all in the palette in
// force. Each file is replaced whole, through the platform layer.
#pragma once

#include <cstdint>
#include <string>

// The files written for a load file and the image being edited, beside the
// load file: walk.pix and image 3 give walk.gif, walk-sheet.png,
// walk-sheet.json and walk-3.png.
struct ExportNames {
  std::string gif;
  std::string sheet;
  std::string json;
  std::string image;
};
ExportNames ExportNamesFor(const std::string& loadFile, std::int32_t image);

// The key: writes the image's PNG, the GIF, the sheet and its JSON, in that
// order, stopping at the first that cannot be written; the message place
// says what was written, or why not (a failure on the standard error too).
void ExportImagesKey();
