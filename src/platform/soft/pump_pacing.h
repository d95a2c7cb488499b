// When the screen is looked at for changes, and when a pass of the editor's
// main loop may wait for input instead of starting at once.
#pragma once

#include <algorithm>
#include <cstdint>

namespace plat::soft {

// The editor runs its passes back to back. Once a whole refresh interval went
// by without input and the screen came out the same as before, further
// passes only draw what is there already: a pass then waits for input before
// it begins (plat::BeginEditorPass), though a pass still runs every
// kIdlePassMs. Any input ends the waiting at once and until the screen has
// settled again.
class Pacing {
 public:
  // About one display refresh.
  static constexpr std::uint64_t kRefreshMs = 16;
  // How often a pass runs while nothing comes and the screen has settled.
  static constexpr std::uint64_t kIdlePassMs = 250;
  static constexpr std::uint64_t kNoTime = UINT64_MAX;

  // An event came in (input, or the window needs drawing again).
  void Input() {
    inputSinceCapture_ = true;
    quiet_ = false;
  }
  // Once a refresh, and at the next chance after the program drew a picture
  // of its own pace (WantPassBy). A backend also looks at the screen when a
  // pass begins while it is quiet: what the pass before drew decides whether
  // this one waits.
  bool CaptureDue(std::uint64_t now) const {
    return lookSoon_ || !captured_ || now - lastCapture_ >= kRefreshMs;
  }
  // The screen was compared with the frame shown last. A change the program
  // paced itself (see WantPassBy) leaves the screen settled.
  void Captured(std::uint64_t now, bool changed) {
    quiet_ = captured_ && (!changed || wantBy_ != kNoTime) && !inputSinceCapture_;
    inputSinceCapture_ = false;
    lookSoon_ = false;
    captured_ = true;
    lastCapture_ = now;
  }
  bool Quiet() const { return quiet_; }
  // A pass begins at now, its wait for input over.
  void PassBegins(std::uint64_t now) { lastPass_ = now; }
  // Until when a pass may wait for input while the screen is quiet: idlePassMs
  // after the one before began, and no later than the program wants its next
  // pass (WantPassBy).
  std::uint64_t NextIdlePass(std::uint64_t idlePassMs = kIdlePassMs) const {
    return std::min(lastPass_ + idlePassMs, wantBy_);
  }
  // The program drew a picture of its own pace and wants its next pass by
  // at (kNoTime: no longer): the screen is looked at again at the next
  // chance, and the waits for input end at that time.
  void WantPassBy(std::uint64_t at) {
    wantBy_ = at;
    lookSoon_ = lookSoon_ || at != kNoTime;
  }
  std::uint64_t WantedBy() const { return wantBy_; }

 private:
  std::uint64_t lastCapture_ = 0;
  std::uint64_t lastPass_ = 0;
  bool captured_ = false;
  bool inputSinceCapture_ = false;
  bool quiet_ = false;
  std::uint64_t wantBy_ = kNoTime;
  bool lookSoon_ = false;
};

}  // namespace plat::soft
