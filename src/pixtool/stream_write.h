// The parts of a safe write that are the same on every system: a stream
// filled, flushed and closed, with the C library's reason on failure.
#pragma once

#include <string>

#include "pixtool/safe_write.h"

namespace pixtool {

// "cannot write PATH: REASON".
std::string CannotWrite(const std::string& path, int error);

// Writes a device or a pipe in place: there is nothing there to keep.
bool WriteInPlace(const std::string& path, const WriteBody& body, std::string& error);

// Fills standard output through body and flushes it; false when it or the stream failed.
bool WriteStandardOutputStream(const WriteBody& body, std::string& error);

}  // namespace pixtool
