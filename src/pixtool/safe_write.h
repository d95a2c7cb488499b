// Writing a file so that a failure leaves what was there before.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace pixtool {

// Fills the stream; false with a message on failure.
using WriteBody = std::function<bool(std::FILE* stream, std::string& error)>;

// Writes path through body. A regular file (or a new one) is written as a
// temporary file in the same folder, flushed to the disk and renamed over it
// only when complete, with the old file's permissions; a symbolic link is
// followed, so the file it names is replaced. On any failure the temporary
// file is removed and the old file stays as it was. Something that is not a
// regular file (a device, a pipe) is written directly.
bool WriteFileSafely(const std::string& path, const WriteBody& body, std::string& error);

// Writes standard output through body; false when it or the stream failed.
bool WriteStandardOutput(const WriteBody& body, std::string& error);

}  // namespace pixtool
