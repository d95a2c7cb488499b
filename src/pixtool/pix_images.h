// pix files as pixtool reads and changes them. The images themselves are the
// export library's (export/pix_images.h): pixtool works in its terms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "export/pix_images.h"

namespace pixtool {

// pixtool writes its pictures with the export library, as the editor does, and
// reads them back in the same terms.
using namespace pixexport;

// Sides from 1 to kMaxSide pixels.
inline constexpr int kMaxSide = 4096;

// Reads the whole file. A missing file reads as empty when missingIsEmpty; any
// other failure (unreadable, not a regular file, larger than kMaxFileBytes)
// gives false and a message naming the file.
bool ReadPixFile(const std::string& path, ImageSize size, bool missingIsEmpty, PixFile& file,
                 std::string& error);

// The file's bytes with image n in its slot (several images one after
// another in slots n, n + 1, ...), as the editor's save writes it: over the
// old bytes there, or after zero bytes that fill the gap when the file ends
// before the slot. paddedBytes tells how many zeros were added.
Bytes PlaceImage(const Bytes& file, ImageSize size, std::size_t n, const Bytes& image,
                 std::size_t& paddedBytes);

// The file's bytes without image n (below the file's whole images): the
// images after it, and any bytes after the last whole image, move up by one
// image.
Bytes RemoveImage(const Bytes& file, ImageSize size, std::size_t n);

}  // namespace pixtool
