// Finding bitmap files by name as the first platform does: case aside, and
// in the program's own folder when the working folder has none.
#pragma once

#include <string>

namespace plat::soft {

// Opens the bitmap file of this name for reading and returns its descriptor,
// or -1. The name is taken as it stands first, then as a name in its folder
// that differs only in case; a bare name found in neither way is looked up
// the same way in the fallback folder (SetBitmapFolder). A name that is
// there but cannot be used (unreadable, a folder, a FIFO, a device) gives
// -1 and is not looked for further. Never blocks: only regular files are
// taken. Called by LoadImageA, which closes the descriptor.
// *reported, when asked for, tells whether a change to the file opened shows
// in the reports of the working folder or the fallback folder: a bare name,
// a plain file there, not reached through a link and with no other name.
int OpenBitmapFile(const char* name, bool* reported = nullptr);

// The fallback folder of bitmap files ("" for none).
const std::string& BitmapFolder();

}  // namespace plat::soft
