// The termination signals of the real program, passed on as the end request.
#include "sdl_signals.h"

#include <SDL.h>

#include <csignal>
#include <initializer_list>

#include "../soft/end_request.h"

namespace plat::sdl {
namespace {

volatile std::sig_atomic_t endSignalled = 0;

extern "C" void OnEndSignal(int /*signal*/) {
  endSignalled = 1;
}

}  // namespace

void CatchEndSignals() {
  // SDL's own handlers would turn the signal into a quit event, which cannot
  // be told from the window's close button; an entry would then wait for a
  // user who is no longer there.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  struct sigaction action {};
  action.sa_handler = OnEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    struct sigaction previous {};
    // A signal that whoever started the program ignores stays ignored
    // (nohup, a background job of a shell without job control).
    if (sigaction(signal, nullptr, &previous) == 0 && previous.sa_handler != SIG_IGN) {
      sigaction(signal, &action, nullptr);
    }
  }
}

void ForwardEndSignal() {
  if (endSignalled != 0) {
    soft::RequestEnd();
  }
}

}  // namespace plat::sdl
