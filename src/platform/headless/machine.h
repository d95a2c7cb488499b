// The headless backend's machine: scripts, clock, sounds, log and cursor, shared by its files.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "headless.h"

namespace plat::headless {

struct Machine {
  std::deque<DIMOUSESTATE> mouseScript;
  std::deque<std::array<std::uint8_t, 256>> keyboardScript;
  std::deque<bool> escapeScript;
  // GetAsyncKeyState's other keys by virtual-key code: held, and typed into
  // an entry since the last call for them.
  std::array<bool, 256> keysHeld{};
  std::array<bool, 256> keysTyped{};
  InputSource* source = nullptr;
  // Whether the last keyboard read found Enter down: the reads past the
  // script give Enter one read down, one up, so it is pressed anew.
  bool enterReadDown = false;
  // Whether the last read of Escape past the scripts found it down: the
  // next finds it up.
  bool escapeReadDown = false;
  bool keyboardFocus = true;
  // Input reads to go until the end request; 0: none pending.
  std::size_t readsUntilEnd = 0;
  std::uint64_t clock = 0;
  std::uint64_t passWantedBy = UINT64_MAX;
  void (*sleepObserver)(std::uint32_t ms) = nullptr;
  std::vector<SoundPlayed> sounds;
  std::vector<std::string> log;
  bool logging = true;
  std::set<std::string, std::less<>> failing;
  POINT cursor = {0, 0};
  bool clipped = false;
  RECT clip = {0, 0, 0, 0};
  std::uint64_t setCursorPosCalls = 0;
  bool windowAlive = false;
  bool displayExclusive = false;
  std::string stateFolder;
  DiskFault stateFault = DiskFault::None;
};

Machine& TheMachine();

}  // namespace plat::headless
