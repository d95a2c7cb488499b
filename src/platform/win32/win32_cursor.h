// The win32 backend's record of the mouse's motion, shared by the input device and the cursor calls.
#pragma once

namespace plat::win32 {

// Called after every read of the mouse device: moved is true when it gave
// motion, or when the read failed and nothing can be told.
void NoteMouseRead(bool moved);

}  // namespace plat::win32
