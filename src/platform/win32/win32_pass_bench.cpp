// The benchmark build of the pass hook: times the main loop's passes and prints their median.
//
// PIXED_PASSES (default 300) passes are timed after 20 that warm up; then the
// figures go to standard output and the quit message ends the loop as Escape
// would. A pass's time leaves out the waits for input between passes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "../soft/pass_timer.h"
#include "../soft/pump_pacing.h"
#include "win32_pass_timer.h"
// After the plat headers (see there).
#include "win32_handles.h"

namespace plat::win32 {
namespace {

struct PassClock {
  soft::PassTimer timer;
  LARGE_INTEGER frequency = {};
  LARGE_INTEGER waitStart = {};
};

PassClock& Clock() {
  static PassClock clock = [] {
    PassClock made;
    const char* asked = std::getenv("PIXED_PASSES");
    // At least one: the loop ends only once the figures are out.
    made.timer.Start(std::max(1L, asked != nullptr ? std::strtol(asked, nullptr, 10) : 300L));
    ::QueryPerformanceFrequency(&made.frequency);
    return made;
  }();
  return clock;
}

double Milliseconds(const LARGE_INTEGER& counter) {
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(Clock().frequency.QuadPart);
}

double NowMs() {
  LARGE_INTEGER now = {};
  ::QueryPerformanceCounter(&now);
  return Milliseconds(now);
}

}  // namespace

void NoteMainLoopTurn() {
  PassClock& clock = Clock();
  clock.timer.PassBegins(NowMs());
  if (const auto figures = clock.timer.TakeFigures()) {
    std::printf(
        "pixed.exe main-loop pass: %zu passes, median %.1f us, 10%% %.1f us, 90%% %.1f us, %ld waits\n",
        figures->passes, figures->busyMedianUs, figures->busy10Us, figures->busy90Us, figures->waits);
    std::fflush(stdout);
    ::PostQuitMessage(0);
  }
}

unsigned IdlePassMs() {
  return soft::Pacing::kRefreshMs;
}

void NoteWaitBegins() {
  ::QueryPerformanceCounter(&Clock().waitStart);
}

void NoteWaitEnds() {
  Clock().timer.Waited(NowMs() - Milliseconds(Clock().waitStart));
}

}  // namespace plat::win32
