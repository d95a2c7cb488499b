// Bitmap files for LoadImageA: found, read, decoded, and kept between draws (kept_bitmaps.h).
#pragma once

#include "gdi_internal.h"

namespace plat::soft {

// The pixels of the bitmap file of this name, found as OpenBitmapFile finds it: a copy of those
// kept from an earlier read while its folders report no change, else read and decoded afresh.
// False when there is no such file or it is refused.
bool LoadBitmapFile(const char* name, BitmapPixels* pixels);

// Gives up every kept bitmap and stops watching their folders (the fallback folder is another,
// or the headless backend starts afresh, maybe in another working folder).
void ForgetKeptBitmaps();

}  // namespace plat::soft
