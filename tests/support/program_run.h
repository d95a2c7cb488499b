// Running the whole editor, or only its display, on the headless backend.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace pixtest {

// A fresh machine and a fresh editor: plat::headless::Reset() and
// ResetEditorState(). Queue scripts (mouse, keys, Escape, FailCall) after it.
void FreshMachine();
// WinMain as the process entry calls it; returns its exit status. Runs with
// whatever scripts were queued (with none, Escape goes down at once).
int RunWinMain();
// FreshMachine() then RunWinMain(): one plain start-up and Escape.
int RunProgram();

// The display alone, as start-up leaves it (800 x 600 x 8, the program's
// palette set on the primary surface, both surfaces black), in
// displayDevice; no window, no input devices, no settings files read. For
// tests of the drawing primitives. Calls FreshMachine() first. False when a
// platform call failed.
bool OpenTestDisplay();
// Releases what OpenTestDisplay made and empties displayDevice.
void CloseTestDisplay();

// What WinMain does before InitDevices: registers the window class with
// MainWindowProc, creates the window and fills instanceHandle and
// windowHandle. No FreshMachine() here. False when a call failed.
bool OpenTestWindow();

// Copies every button bitmap the build made into the current folder;
// returns how many were copied (0 when none were built).
std::size_t CopyButtonBitmaps();

// The call log entries that start with prefix, in order.
std::vector<std::string> CallsStartingWith(const std::string& prefix);
// Index of the first call log entry equal to name at or after from; -1 if none.
long IndexOfCall(const std::string& name, std::size_t from = 0);
// The call log as one text, one entry a line, for assertion messages.
std::string CallLogText();

}  // namespace pixtest
