// Opening files that can only be regular files.
#pragma once

#include <cstdio>

namespace plat::soft {

// fopen for the modes "r", "w", "a" (with "+", "b", "x"), refusing whatever is not a
// regular file (a folder, a FIFO, a device, through a link or not) before it is
// changed: null with errno EISDIR or EINVAL. A FIFO or a device would block a
// read or a write for good, and "w" must never truncate a device.
std::FILE* OpenRegularFile(const char* name, const char* mode);

}  // namespace plat::soft
