// The termination signals of the real program: SIGTERM (a desktop logging
// out, a service manager), SIGINT (Ctrl+C in its terminal) and SIGHUP (its
// terminal closed).
#pragma once

namespace plat::sdl {

// Takes SIGTERM, SIGINT and SIGHUP from SDL and from their default action, which
// ends the process without the settings written. Called before SDL's events
// are started.
void CatchEndSignals();
// Passes a signal that arrived on to the program as the system's end request.
// Called on every event pump.
void ForwardEndSignal();

}  // namespace plat::sdl
