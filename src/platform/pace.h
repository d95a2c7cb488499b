// Passes the program paces itself (frames playing): when it wants the next one.
#pragma once

#include <cstdint>

namespace plat {

// No pass wanted at any particular time: the backend's own pacing alone.
inline constexpr std::uint64_t kNoPassWanted = UINT64_MAX;

// The program has just drawn a picture that changes at its own pace, and
// wants its next pass by tickMs on GetTickCount64's clock. The picture is
// shown at the next chance; a backend that waits for input between passes
// once the screen has settled waits no longer than tickMs, and a screen that
// changes only at this pace still counts as settled. A later call replaces
// the time; kNoPassWanted withdraws it. Provided by the backend.
void WantPassBy(std::uint64_t tickMs);

}  // namespace plat
