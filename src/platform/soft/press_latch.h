// Key and button states that remember a press until the next read, so a
// tap shorter than the reader's polling interval is still seen once.
#pragma once

#include <array>
#include <cstddef>

namespace plat::soft {

template <std::size_t N>
class PressLatch {
 public:
  // Out-of-range indices are ignored: input events come from outside.
  // A press of a key already down (auto-repeat) is no new press.
  void Press(std::size_t i) {
    if (i < N && !down_[i]) {
      down_[i] = true;
      pressed_[i] = true;
    }
  }
  void Release(std::size_t i) {
    if (i < N) {
      down_[i] = false;
    }
  }
  // Lets go of every key without losing presses not yet read (focus lost).
  void ReleaseAll() { down_.fill(false); }
  bool IsDown(std::size_t i) const { return i < N && down_[i]; }
  // Down now, or pressed since the previous Take of this index; starts the
  // next interval.
  bool Take(std::size_t i) {
    if (i >= N) {
      return false;
    }
    const bool result = down_[i] || pressed_[i];
    pressed_[i] = false;
    return result;
  }
  // For callers that know better from elsewhere whether the key is down
  // now: downNow, or pressed since the previous read; starts the next
  // interval either way, so a press seen while held is not seen again.
  bool TakeWith(std::size_t i, bool downNow) {
    if (i >= N) {
      return downNow;
    }
    const bool result = downNow || pressed_[i];
    pressed_[i] = false;
    return result;
  }

 private:
  std::array<bool, N> down_{};
  std::array<bool, N> pressed_{};
};

}  // namespace plat::soft
