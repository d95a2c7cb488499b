// The win32 backend's bitmap files: LoadImageA, which keeps what it decoded for the next call.
// Internal to src/platform/win32; include it after the plat headers.
#pragma once

#include "win32_handles.h"

namespace plat::win32 {

// True for a bitmap LoadImageA keeps for its next calls: DeleteObject leaves it alone.
bool IsKeptBitmap(::HGDIOBJ object);
// The screen's palette changed: the bitmaps kept in its old colours are read again.
void ForgetKeptBitmaps();

}  // namespace plat::win32
