// What the fuzz targets share: the headless editor opened once per process in
// a working folder on a memory file system, input files, and checks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace pixfuzz {

// Once per process: a fresh working folder in /dev/shm (else /tmp), made the
// current folder and removed at exit; the headless machine with the display
// (800 x 600 x 8, the program's palette, the screen black), a window whose
// procedure takes no notice of WM_CLOSE (so that Escape cannot end the
// process's only window), the mouse and the keyboard. Logging is off.
void OpenEditorOnce();

// Back to the start of an input: no scripts, no messages waiting, the editor's
// state, images, grid view and tools as a new run has them, cursor at
// (400, 300) (window and devices kept).
// Returns the number of WM_CLOSE messages that were waiting.
int StartInput();

// One input, from StartInput to the end of the scope, which empties the
// scripts again: memory an input takes it gives back, so that libFuzzer's
// leak check (run when an input ends with more allocations than frees) stays
// for real leaks.
class Input {
 public:
  Input() { StartInput(); }
  ~Input();
  Input(const Input&) = delete;
  Input& operator=(const Input&) = delete;
};

// Takes the WM_CLOSE messages waiting in the queue; returns how many there were.
int TakeCloseRequests();

// The screen's pixels under a lock of the primary surface, for the life of the object.
class ScreenLock {
 public:
  ScreenLock();
  ~ScreenLock();
  ScreenLock(const ScreenLock&) = delete;
  ScreenLock& operator=(const ScreenLock&) = delete;
  static bool On(std::int64_t x, std::int64_t y);
  // (x, y) must be on the screen.
  std::uint8_t& At(std::int64_t x, std::int64_t y) const { return pixels_[y * pitch_ + x]; }
  // Row y, which must be on the screen.
  const std::uint8_t* Row(std::int64_t y) const { return pixels_ + y * pitch_; }

 private:
  std::uint8_t* pixels_ = nullptr;
  std::int64_t pitch_ = 0;
};

// Writes a file of the working folder; aborts when it cannot.
void WriteFile(const char* name, const std::uint8_t* data, std::size_t size);
void WriteFile(const char* name, const std::string& bytes);
// The whole file, or absent (false) when it cannot be opened.
bool ReadFile(const char* name, std::string* bytes);
// Removes every file of the working folder.
void EmptyWorkingFolder();

// A fault: the message goes to stderr and the process aborts, so libFuzzer
// keeps the input that caused it.
[[noreturn]] void Fail(const std::string& message);
inline void Check(bool condition, const std::string& message) {
  if (!condition) {
    Fail(message);
  }
}

}  // namespace pixfuzz
