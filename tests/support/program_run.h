// Running the whole editor on the headless backend, with its button bitmaps, and reading its call log.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "harness/headless_setup.h"

namespace pixtest {

// WinMain as the process entry calls it; returns its exit status. Runs with
// whatever scripts were queued (with none, Escape goes down at once).
int RunWinMain();
// FreshMachine() then RunWinMain(): one plain start-up and Escape.
int RunProgram();

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
