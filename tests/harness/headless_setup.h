// The headless editor's display, window and input devices, set up as start-up sets them up, for
// the tests, the benchmarks and the fuzz targets.
#pragma once

#include "app/winmain.h"
#include "platform/window.h"

namespace pixtest {

// A fresh machine and a fresh editor: plat::headless::Reset() and
// ResetEditorState(). Queue scripts (mouse, keys, Escape, FailCall) after it.
void FreshMachine();

// The display alone, as start-up leaves it (800 x 600 x 8, the program's
// palette set on the primary surface, both surfaces black), in
// displayDevice; no window, no input devices, no settings files read. Calls
// FreshMachine() first. False when a platform call failed.
bool OpenTestDisplay();
// Releases what OpenTestDisplay made and empties displayDevice.
void CloseTestDisplay();

// What WinMain does before InitDevices: registers the window class with the
// procedure, creates the full-screen window and fills instanceHandle and
// windowHandle. No FreshMachine() here. False when a call failed.
bool OpenTestWindow(plat::WNDPROC procedure = MainWindowProc);

// DirectInput with the mouse (background) and the keyboard (foreground),
// both shared and acquired for the window, in inputDevices. False when a call
// failed.
bool OpenTestInput();
// Releases what OpenTestInput made and empties inputDevices.
void CloseTestInput();

}  // namespace pixtest
