// What a backend under the software emulation (sdl, headless) supplies to it,
// besides the functions marked "Provided by the backend" in the interface headers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "../platform_types.h"

namespace plat::backend {

// Records one platform call, such as "Primary.Lock" or "OpenFile(SaveName.dat,w+t)".
// The headless backend keeps a log; the real one ignores it.
void Trace(std::string_view call);
// True when the headless backend was told to make this call fail; the
// shared code then returns the call's failure result (E_FAIL, null, false).
bool ShouldFail(std::string_view call);
// Handles pending window-system events and presents the screen when a
// display refresh is due. Called on every message peek, input read and sleep.
void PumpEvents();
// The window has been created (visible) or destroyed.
bool WindowCreated(const char* title, int x, int y, int width, int height, std::uint32_t style);
void WindowDestroyed();
// The display mode was set (true) or restored (false).
void DisplayModeChanged(bool exclusive800x600x8);
// Mouse motion since the previous read and the buttons (down, or pressed and
// released since the previous read). False when no state can be had.
bool ReadMouse(DIMOUSESTATE* state);
// 256 key bytes as GetDeviceState gives them. False when the window does not
// have the keyboard focus.
bool ReadKeyboard(std::uint8_t keys[256]);

// The folder for the program's own state (plat::StateFolder()) as this
// backend's system gives it; empty for none.
std::string StateFolder();
// What is done to a file of the state folder (Mark: a file that could not be
// removed written in place).
enum class StateFileWork { Lock, Replace, Rename, Remove, Mark };
// The errno value that this work on a file of the state folder is to fail
// with, 0 for none: the headless backend's stand-in for a read-only or full
// disk. The real backends let the system answer.
int StateFolderFault(StateFileWork work);
// A lock file of the state folder was locked for this process: true when no
// other running program of the machine holds the same name. The browser's
// tabs share one storage but not their lock files, so the page asks the
// browser; the other backends' file locks already tell, and say true.
bool TakeSharedLock(const std::string& path);

}  // namespace plat::backend
