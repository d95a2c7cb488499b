// The keyboard device's state: keys down now, and taps that fall between two
// polls of a running entry, but nothing pressed before the entry began.
#pragma once

#include <cstdint>

#include "press_latch.h"

namespace plat::soft {

// Only the keyboard entries read the keyboard device. A running entry polls
// it with one 120 ms pause between two polls, and every entry pauses 200 ms
// before its first poll. So a read after more than kEntryStartPauseMs of
// pauses since the previous read (or the first read of all) is an entry's
// first poll: it gets the keys down now, and presses latched before it
// (typed while painting, in the settings menu, or after the previous entry's
// last poll) are dropped. Pause time is counted, not time on the clock: a busy
// machine stretches the clock between two polls of one entry, never its pauses.
class EntryKeyboard {
 public:
  static constexpr std::uint64_t kEntryStartPauseMs = 160;

  void Press(std::uint8_t code) { latch_.Press(code); }
  void Release(std::uint8_t code) { latch_.Release(code); }
  // Focus lost: key releases will not be seen.
  void ReleaseAll() { latch_.ReleaseAll(); }
  // The program paused for ms (a Sleep).
  void Paused(std::uint64_t ms) { pausedMs_ = pausedMs_ + ms < pausedMs_ ? UINT64_MAX : pausedMs_ + ms; }
  // One read of the device: 0x80 for each key down now or tapped since the
  // previous read of the same entry.
  void Read(std::uint8_t keys[256]) {
    if (!readBefore_ || pausedMs_ > kEntryStartPauseMs) {
      latch_.ForgetPresses();
    }
    readBefore_ = true;
    pausedMs_ = 0;
    for (std::size_t code = 0; code < 256; ++code) {
      keys[code] = latch_.Take(code) ? 0x80 : 0x00;
    }
  }

 private:
  PressLatch<256> latch_;
  std::uint64_t pausedMs_ = 0;
  bool readBefore_ = false;
};

}  // namespace plat::soft
