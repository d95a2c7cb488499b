// The headless backend's controls: scripts, log, failures and the screen for tests.
#include "headless.h"

#include <algorithm>

#include "../soft/bitmap_files.h"
#include "../soft/pointer_track.h"
#include "../soft/screen.h"
#include "../soft/shared_state.h"
#include "machine.h"

namespace plat::headless {

Machine& TheMachine() {
  static auto* machine = new Machine;
  return *machine;
}

void Reset() {
  shared::ResetWindows();
  shared::ResetInputObjects();
  shared::ResetDisplayObjects();
  // A test may have moved to another working folder since.
  soft::ForgetKeptBitmaps();
  TheMachine() = Machine{};
}

void QueueMouse(const DIMOUSESTATE& state) {
  TheMachine().mouseScript.push_back(state);
}

void QueueMouse(int dx, int dy, bool left, bool right, bool middle) {
  DIMOUSESTATE state = {};
  state.lX = dx;
  state.lY = dy;
  state.rgbButtons[0] = left ? 0x80 : 0;
  state.rgbButtons[1] = right ? 0x80 : 0;
  state.rgbButtons[2] = middle ? 0x80 : 0;
  QueueMouse(state);
}

void QueueWheel(int notches) {
  DIMOUSESTATE state = {};
  state.lZ = static_cast<std::int32_t>(std::clamp(notches, -(1 << 24), 1 << 24) * soft::kWheelNotch);
  QueueMouse(state);
}

void QueueKeyboard(const std::array<std::uint8_t, 256>& keys) {
  TheMachine().keyboardScript.push_back(keys);
}

void QueueKeys(std::initializer_list<std::uint8_t> scanCodes) {
  std::array<std::uint8_t, 256> keys = {};
  for (std::uint8_t code : scanCodes) {
    keys[code] = 0x80;
  }
  QueueKeyboard(keys);
}

void QueueEscape(bool down) {
  TheMachine().escapeScript.push_back(down);
}

void HoldKeys(std::initializer_list<int> virtualKeys) {
  Machine& machine = TheMachine();
  machine.keysHeld.fill(false);
  for (int key : virtualKeys) {
    if (key >= 0 && key < 256) {
      machine.keysHeld[static_cast<std::size_t>(key)] = true;
    }
  }
}

void SetKeyboardFocus(bool focused) {
  TheMachine().keyboardFocus = focused;
}

std::size_t MouseReadsLeft() {
  return TheMachine().mouseScript.size();
}

std::size_t KeyboardReadsLeft() {
  return TheMachine().keyboardScript.size();
}

void ClearScripts() {
  Machine& machine = TheMachine();
  machine.mouseScript.clear();
  machine.keyboardScript.clear();
  machine.escapeScript.clear();
  machine.enterReadDown = false;
  machine.escapeReadDown = false;
}

void SetSleepObserver(void (*observer)(std::uint32_t ms)) {
  TheMachine().sleepObserver = observer;
}

void SetInputSource(InputSource* source) {
  TheMachine().source = source;
}

void RequestEndAtRead(std::size_t read) {
  TheMachine().readsUntilEnd = read;
}

std::uint64_t Now() {
  return TheMachine().clock;
}

std::uint64_t PassWantedBy() {
  return TheMachine().passWantedBy;
}

const std::vector<SoundPlayed>& Sounds() {
  return TheMachine().sounds;
}

const std::vector<std::string>& CallLog() {
  return TheMachine().log;
}

void ClearLog() {
  TheMachine().log.clear();
}

void SetLogging(bool on) {
  TheMachine().logging = on;
}

void FailCall(const std::string& name) {
  TheMachine().failing.insert(name);
}

void StopFailingCall(const std::string& name) {
  TheMachine().failing.erase(name);
}

POINT CursorPos() {
  return TheMachine().cursor;
}

bool CursorClipped() {
  return TheMachine().clipped;
}

RECT CursorClip() {
  return TheMachine().clip;
}

std::uint64_t SetCursorPosCalls() {
  return TheMachine().setCursorPosCalls;
}

bool WindowAlive() {
  return TheMachine().windowAlive;
}

bool DisplayExclusive() {
  return TheMachine().displayExclusive;
}

std::vector<std::uint8_t> Screen() {
  const soft::ScreenView view = soft::CurrentScreen();
  std::vector<std::uint8_t> pixels;
  if (view.pixels == nullptr) {
    return pixels;
  }
  pixels.reserve(static_cast<std::size_t>(view.width) * view.height);
  for (int y = 0; y < view.height; ++y) {
    const std::uint8_t* row = view.pixels + static_cast<std::size_t>(y) * view.pitch;
    pixels.insert(pixels.end(), row, row + view.width);
  }
  return pixels;
}

std::uint8_t ScreenAt(int x, int y) {
  const soft::ScreenView view = soft::CurrentScreen();
  if (view.pixels == nullptr || x < 0 || y < 0 || x >= view.width || y >= view.height) {
    return 0;
  }
  return view.pixels[static_cast<std::size_t>(y) * view.pitch + x];
}

std::array<PALETTEENTRY, 256> Palette() {
  std::array<PALETTEENTRY, 256> entries = {};
  const soft::ScreenView view = soft::CurrentScreen();
  if (view.palette != nullptr) {
    std::copy(view.palette, view.palette + 256, entries.begin());
  }
  return entries;
}

}  // namespace plat::headless
