// The benchmark build of the pass hook: times the main loop's passes and prints their median.
//
// PIXED_PASSES (default 300) passes are timed after 20 that warm up; then the
// figures go to standard output and the quit message ends the loop as Escape
// would. A pass's time leaves out the waits for input between passes.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../soft/pump_pacing.h"
#include "win32_pass_timer.h"
// After the plat headers (see there).
#include "win32_handles.h"

namespace plat::win32 {
namespace {

constexpr int kWarmUp = 20;

struct PassTimes {
  long wanted = 0;
  long turns = 0;
  LARGE_INTEGER frequency = {};
  LARGE_INTEGER previous = {};
  LARGE_INTEGER waitStart = {};
  LONGLONG waited = 0;
  long waits = 0;
  std::vector<double> microseconds;
};

PassTimes& Times() {
  static PassTimes times = [] {
    PassTimes made;
    const char* asked = std::getenv("PIXED_PASSES");
    made.wanted = asked != nullptr ? std::strtol(asked, nullptr, 10) : 300;
    made.wanted = std::clamp(made.wanted, 1L, 1000000L);
    ::QueryPerformanceFrequency(&made.frequency);
    made.microseconds.reserve(static_cast<std::size_t>(made.wanted));
    return made;
  }();
  return times;
}

void Report(std::vector<double>& samples) {
  std::sort(samples.begin(), samples.end());
  const auto at = [&](double share) {
    return samples[static_cast<std::size_t>(share * (samples.size() - 1))];
  };
  std::printf("pixed.exe main-loop pass: %zu passes, median %.1f us, 10%% %.1f us, 90%% %.1f us, %ld waits\n",
              samples.size(), at(0.5), at(0.1), at(0.9), Times().waits);
  std::fflush(stdout);
}

}  // namespace

void NoteMainLoopTurn() {
  PassTimes& times = Times();
  LARGE_INTEGER now = {};
  ::QueryPerformanceCounter(&now);
  if (times.turns > kWarmUp) {
    times.microseconds.push_back(1e6 *
                                 static_cast<double>(now.QuadPart - times.previous.QuadPart - times.waited) /
                                 static_cast<double>(times.frequency.QuadPart));
  }
  times.previous = now;
  times.waited = 0;
  ++times.turns;
  if (static_cast<long>(times.microseconds.size()) == times.wanted) {
    Report(times.microseconds);
    times.microseconds.push_back(0);  // reported once
    ::PostQuitMessage(0);
  }
}

unsigned IdlePassMs() {
  return soft::Pacing::kRefreshMs;
}

void NoteWaitBegins() {
  ::QueryPerformanceCounter(&Times().waitStart);
}

void NoteWaitEnds() {
  PassTimes& times = Times();
  LARGE_INTEGER now = {};
  ::QueryPerformanceCounter(&now);
  times.waited += now.QuadPart - times.waitStart.QuadPart;
  if (times.turns > kWarmUp) {
    ++times.waits;
  }
}

}  // namespace plat::win32
