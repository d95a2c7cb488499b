// The system's request that the program end, as a backend passes it on.
#pragma once

namespace plat::soft {

// Called by a backend when the system asks the program to end (a termination
// signal, the session ending). From then on EndRequested() is true, and
// WM_CLOSE is posted to the program's window once, as for a close request.
// Traced "RequestEnd".
void RequestEnd();

}  // namespace plat::soft
