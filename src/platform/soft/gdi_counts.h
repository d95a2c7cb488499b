// Counts of live GDI objects and device contexts, for tests that look for leaks, and of the
// bitmap files read, for tests of the bitmaps kept between draws.
#pragma once

#include <cstddef>

namespace plat::soft {

// Pens, brushes and bitmaps created and not yet deleted (stock ones not counted).
std::size_t LiveGdiObjects();
// Memory and surface device contexts not yet deleted.
std::size_t LiveDeviceContexts();
// Bitmap files LoadImageA has opened and read since the program started.
std::size_t BitmapFilesRead();

}  // namespace plat::soft
