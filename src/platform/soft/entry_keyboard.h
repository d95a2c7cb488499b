// The keyboard device's state: keys down now, and taps that fall between two
// polls of a running entry or of two entries in a row, one new key a poll in
// the order typed, but nothing pressed before the entry began.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>

namespace plat::soft {

// Only the keyboard entries read the keyboard device. A running entry polls
// it with one 120 ms pause between two polls, and every entry pauses 200 ms
// before its first poll. So a read after more than kEntryStartPauseMs of
// pauses since the previous read (or the first read of all) is an entry's
// first poll: it gets the keys down now, and presses latched before it (typed
// while painting or in the settings menu) are dropped. Pause time is counted,
// not time on the clock: a busy machine stretches the clock between two polls
// of one entry, never its pauses. Only when the program did little else than
// pause since the previous read (at most kWorkBetweenEntriesMs of the clock)
// does the entry follow the previous one at once, as the height follows the
// width: the keys typed since, the height's first digit, are its own.
//
// An entry types a key when a read finds it down and the read before did not.
// So each read brings at most one new key, the press that waits longest, with
// Shift as it was when that key went down; the others wait for the next reads
// in the order typed, however many come between two polls (a quick "1000"
// keeps its three zeros). Keys held down from before an entry began all read
// down at its first poll. And a key that read down and has been let go since
// reads up once, even when it is down again: the second press of a doubled
// letter shows at the read after, instead of merging with the first.
class EntryKeyboard {
 public:
  static constexpr std::uint64_t kEntryStartPauseMs = 160;
  static constexpr std::uint64_t kWorkBetweenEntriesMs = 250;
  // Presses not yet read that are kept; a person types far fewer between two
  // polls, and typing while no entry runs is dropped at the next entry anyway.
  static constexpr std::size_t kMostWaitingPresses = 64;

  // A press of a key already down (auto-repeat) is no new press.
  void Press(std::uint8_t code) {
    if (down_[code]) {
      return;
    }
    down_[code] = true;
    if (IsShift(code)) {
      shiftTapped_ = true;
      return;
    }
    if (waiting_.size() == kMostWaitingPresses) {
      waiting_.pop_front();
    }
    waiting_.push_back(WaitingPress{code, down_[kLeftShift] || down_[kRightShift]});
  }
  void Release(std::uint8_t code) {
    down_[code] = false;
    releasedSinceRead_[code] = true;
  }
  // Focus lost: key releases will not be seen.
  void ReleaseAll() {
    down_.fill(false);
    releasedSinceRead_.fill(true);
  }
  // The program paused for ms (a Sleep).
  void Paused(std::uint64_t ms) { pausedMs_ = pausedMs_ + ms < pausedMs_ ? UINT64_MAX : pausedMs_ + ms; }

  // One read of the device at nowMs on the clock: 0x80 for each key still held
  // since the previous read, and for the press that waits longest, with Shift
  // as it was then (without such a press, Shift down now or tapped since). A
  // press of a key that read down at the previous read waits one more read,
  // which finds the key up: every press of a doubled letter types.
  void Read(std::uint8_t keys[256], std::uint64_t nowMs) {
    bool afresh = false;
    if (!readBefore_ || pausedMs_ > kEntryStartPauseMs) {
      const std::uint64_t sinceRead = nowMs > lastReadMs_ ? nowMs - lastReadMs_ : 0;
      afresh = !readBefore_ || sinceRead > pausedMs_ + kWorkBetweenEntriesMs;
      if (afresh) {
        // Shift tapped before the entry began (Ctrl+Shift+E) is dropped with the keys.
        waiting_.clear();
        shiftTapped_ = false;
      }
      readDown_.fill(false);
    }
    readBefore_ = true;
    pausedMs_ = 0;
    lastReadMs_ = nowMs;
    std::array<bool, 256> down{};
    for (std::size_t code = 0; code < 256; ++code) {
      const bool heldOn = readDown_[code] && !releasedSinceRead_[code] && down_[code];
      // At an entry's first poll every key down reads down.
      down[code] = heldOn || (afresh && down_[code]);
    }
    down[kLeftShift] = down_[kLeftShift] || (shiftTapped_ && !down_[kRightShift]);
    down[kRightShift] = down_[kRightShift];
    if (!waiting_.empty() && !readDown_[waiting_.front().code]) {
      const WaitingPress press = waiting_.front();
      waiting_.pop_front();
      down[press.code] = true;
      down[kLeftShift] = press.shift;
      down[kRightShift] = false;
    }
    shiftTapped_ = false;
    for (std::size_t code = 0; code < 256; ++code) {
      readDown_[code] = down[code];
      keys[code] = down[code] ? 0x80 : 0x00;
      releasedSinceRead_[code] = false;
    }
  }

 private:
  static constexpr std::size_t kLeftShift = 0x2A;
  static constexpr std::size_t kRightShift = 0x36;
  static constexpr bool IsShift(std::size_t code) { return code == kLeftShift || code == kRightShift; }

  struct WaitingPress {
    std::uint8_t code;
    bool shift;  // Shift down when the key went down
  };

  std::array<bool, 256> down_{};
  std::deque<WaitingPress> waiting_;
  bool shiftTapped_ = false;
  std::array<bool, 256> readDown_{};
  std::array<bool, 256> releasedSinceRead_{};
  std::uint64_t pausedMs_ = 0;
  std::uint64_t lastReadMs_ = 0;
  bool readBefore_ = false;
};

}  // namespace plat::soft
