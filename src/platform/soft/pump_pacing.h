// When the screen is looked at for changes, and how long the event pump may
// wait for input instead of handing control straight back to the editor.
#pragma once

#include <algorithm>
#include <cstdint>

namespace plat::soft {

// The editor runs its passes back to back and calls the pump several times
// in each. Once a whole refresh interval went by without input and the
// screen came out the same as before, further passes only draw what is
// there already: the pump may then wait for input, though never past the
// next refresh, so a pass still runs now and then. Any input ends the
// waiting at once and until the screen has settled again.
class Pacing {
 public:
  // About one display refresh.
  static constexpr std::uint64_t kRefreshMs = 16;
  static constexpr std::uint64_t kNoTime = UINT64_MAX;

  // An event came in (input, or the window needs drawing again).
  void Input() {
    inputSinceCapture_ = true;
    quiet_ = false;
  }
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
  // The program drew a picture of its own pace and wants its next pass by
  // at (kNoTime: no longer): the screen is looked at again at the next
  // chance, and the waits for input end at that time.
  void WantPassBy(std::uint64_t at) {
    wantBy_ = at;
    lookSoon_ = lookSoon_ || at != kNoTime;
  }
  std::uint64_t WantedBy() const { return wantBy_; }
  // How long to wait at now for input: until the next capture is due, and
  // not past until. A pause waits whatever the screen does; the pump only
  // when quiet (pass until = the next refresh's time or later).
  std::uint64_t WaitMs(std::uint64_t now, std::uint64_t until, bool pause) const {
    if (!pause && !quiet_) {
      return 0;
    }
    const std::uint64_t due = captured_ ? lastCapture_ + kRefreshMs : now;
    const std::uint64_t end = std::min({due, until, pause ? kNoTime : wantBy_});
    return end > now ? end - now : 0;
  }

 private:
  std::uint64_t lastCapture_ = 0;
  bool captured_ = false;
  bool inputSinceCapture_ = false;
  bool quiet_ = false;
  std::uint64_t wantBy_ = kNoTime;
  bool lookSoon_ = false;
};

}  // namespace plat::soft
