// Writing pix images as one looping animated GIF through giflib.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "canvas/palette_table.h"
#include "export/pix_images.h"

namespace pixexport {

// A GIF's sides are 16-bit numbers.
inline constexpr std::size_t kMaxGifSide = 65535;

// The delay between frames for a rate of fps images a second, in the GIF's
// hundredths of a second: the nearest whole hundredth, a half rounded up (so
// 8 a second shows each image 13 hundredths).
int GifDelay(int fps);

struct GifFrames {
  const PixFile* file = nullptr;
  std::size_t first = 0;  // images first .. first + count - 1 of the file
  std::size_t count = 0;
  int scale = 1;   // every pixel K x K
  int delay = 10;  // hundredths of a second, the same for every frame
};

// Writes the frames as a GIF89a that loops for ever (the NETSCAPE2.0
// extension), with the 256 colours as its one global colour table, so index i
// of the file is index i of the GIF. The side of a frame times the scale must
// be at most kMaxGifSide. False with giflib's reason on failure; the stream's
// own errors show at its close.
bool WriteAnimatedGif(std::FILE* out, const GifFrames& frames, const PaletteColours& colours,
                      std::string& error);

}  // namespace pixexport
