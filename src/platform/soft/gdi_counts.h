// Counts of live GDI objects and device contexts, for tests that look for leaks.
#pragma once

#include <cstddef>

namespace plat::soft {

// Pens, brushes and bitmaps created and not yet deleted (stock ones not counted).
std::size_t LiveGdiObjects();
// Memory and surface device contexts not yet deleted.
std::size_t LiveDeviceContexts();

}  // namespace plat::soft
