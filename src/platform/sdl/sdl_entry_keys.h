// The keyboard device's state: keys down now, and taps that fall between two
// polls of a running entry, but nothing pressed before the entry began.
#pragma once

#include <array>
#include <cstdint>

#include "sdl_latch.h"

namespace plat::sdl {

// Only the keyboard entries read the keyboard device. A running entry polls
// it with one 120 ms pause between two polls, and every entry pauses 200 ms
// before its first poll. So a read after more than kEntryStartPauseMs of
// pauses since the previous read (or the first read of all) is an entry's
// first poll: it gets the keys down now, and presses latched before it
// (typed while painting, in the settings menu, or after the previous entry's
// last poll) are dropped. Pause time is counted, not time on the clock: a busy
// machine stretches the clock between two polls of one entry, never its pauses.
//
// An entry types a key when a read finds it down and the read before did not.
// So a key that read down and has been let go since reads up once, even when
// it is down again: the second press of a doubled letter shows at the next
// read instead of merging with the first.
class EntryKeyboard {
 public:
  static constexpr std::uint64_t kEntryStartPauseMs = 160;

  void Press(std::uint8_t code) { latch_.Press(code); }
  void Release(std::uint8_t code) {
    latch_.Release(code);
    releasedSinceRead_[code] = true;
  }
  // Focus lost: key releases will not be seen.
  void ReleaseAll() {
    latch_.ReleaseAll();
    releasedSinceRead_.fill(true);
  }
  // The program paused for ms (a Sleep).
  void Paused(std::uint64_t ms) { pausedMs_ = pausedMs_ + ms < pausedMs_ ? UINT64_MAX : pausedMs_ + ms; }
  // One read of the device: 0x80 for each key down now or tapped since the
  // previous read of the same entry, unless it read down last time and was
  // let go since (a press after that release stays for the next read).
  void Read(std::uint8_t keys[256]) {
    if (!readBefore_ || pausedMs_ > kEntryStartPauseMs) {
      latch_.ForgetPresses();
      readDown_.fill(false);
    }
    readBefore_ = true;
    pausedMs_ = 0;
    for (std::size_t code = 0; code < 256; ++code) {
      const bool down = readDown_[code] && releasedSinceRead_[code] ? false : latch_.Take(code);
      keys[code] = down ? 0x80 : 0x00;
      readDown_[code] = down;
      releasedSinceRead_[code] = false;
    }
  }

 private:
  PressLatch<256> latch_;
  std::array<bool, 256> readDown_{};
  std::array<bool, 256> releasedSinceRead_{};
  std::uint64_t pausedMs_ = 0;
  bool readBefore_ = false;
};

}  // namespace plat::sdl
