// The termination signals of the real program: SIGTERM (a desktop logging
// out, a service manager) and SIGINT (Ctrl+C in its terminal).
#pragma once

namespace plat::sdl {

// Takes SIGTERM and SIGINT from SDL and from their default action, which
// ends the process without the settings written. Called before SDL's events
// are started.
void CatchEndSignals();
// Passes a signal that arrived on to the program as the system's end request.
// Called on every event pump.
void ForwardEndSignal();

}  // namespace plat::sdl
