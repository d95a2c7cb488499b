// The primary surface locked for byte stores and reads: its memory, pitch and size.
#pragma once

#include <cstddef>
#include <cstdint>

struct LockedScreen {
  std::uint8_t* memory;
  int pitch;
  int width;
  int height;

  std::uint8_t* Row(int y) const { return memory + static_cast<std::ptrdiff_t>(y) * pitch; }
  bool OnScreen(std::int64_t x, std::int64_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  // Stores the low byte of value at (x, y); a position off the screen is dropped.
  void Put(std::int64_t x, std::int64_t y, int value) const {
    if (OnScreen(x, y)) {
      Row(static_cast<int>(y))[x] = static_cast<std::uint8_t>(value);
    }
  }
};

// Locks the whole primary surface (DDLOCK_WAIT, into surfaceDesc). False, with
// nothing held, when there is no surface, the lock fails or it gives no memory
// a row of the screen fits in.
bool LockScreen(LockedScreen& screen);
// Gives the lock back; false when the unlock failed.
bool UnlockScreen();
