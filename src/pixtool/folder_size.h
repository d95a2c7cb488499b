// The image size of the editor's working folder: the editor keeps it in
// SaveSize.dat there, a width byte and a height byte, and pixtool takes it
// when no --size is given.
#pragma once

#include <string>

#include "pixtool/pix_images.h"

namespace pixtool {

inline constexpr const char* kSizeFile = "SaveSize.dat";

enum class FolderSize { Found, Missing, Damaged };

// Reads kSizeFile in the current folder. Damaged (with a message) when it is
// shorter than two bytes, gives a side of 0, or cannot be read; such a size is
// never used. Bytes after the first two are ignored, as the editor ignores them.
FolderSize ReadFolderSize(ImageSize& size, std::string& error);

}  // namespace pixtool
