// Finding bitmap files by name as the first platform does: case aside, and
// in the program's own folder when the working folder has none.
#pragma once

#include <cstdint>
#include <vector>

namespace plat::soft {

// Opens the bitmap file of this name for reading and returns its descriptor,
// or -1. The name is taken as it stands first, then as a name in its folder
// that differs only in case; a bare name found in neither way is looked up
// the same way in the fallback folder (SetBitmapFolder). A name that is
// there but cannot be used (unreadable, a folder, a FIFO, a device) gives
// -1 and is not looked for further. Never blocks: only regular files are
// taken. Called by LoadImageA, which closes the descriptor.
// With kept set, a bitmap that would come from the fallback folder once
// KeepFallbackBitmaps has been called is not opened: *kept points at its
// bytes, read at its first use and kept, and the result is -1.
int OpenBitmapFile(const char* name, const std::vector<std::uint8_t>** kept = nullptr);

// The browser's site ships the program's own bitmaps into a folder that
// nothing writes while the page runs: they need not be read again on every
// pass. Bitmaps of the working folder are read at every use as before.
// Called after SetBitmapFolder, which starts afresh with nothing kept.
void KeepFallbackBitmaps();

}  // namespace plat::soft
