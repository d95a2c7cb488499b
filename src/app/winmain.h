// Program entry, the window procedure and shutdown.
#pragma once

#include "../platform/platform_types.h"

// The exit status of a run whose settings could not all be written (a full
// disk, a read-only or removed working folder): the user's changes of names
// and size are lost, and whoever started the editor must be able to tell.
// Not 2, which command lines keep for usage errors.
constexpr int kExitSettingsNotWritten = 3;

// Registers the class, creates the window, sets up the devices, runs the
// editor and shuts down. Returns the process exit status: 0 after a normal
// run, 1 when the class, the window or the devices could not be set up,
// kExitSettingsNotWritten when a settings file could not be written.
int WinMain(plat::HINSTANCE instance, plat::HINSTANCE previousInstance, char* commandLine, int showState);

plat::LRESULT MainWindowProc(plat::HWND window, std::uint32_t message, plat::WPARAM wParam,
                             plat::LPARAM lParam);

// Writes the settings back and releases every object that exists, input
// side first. Returns 1, or 0 when a settings file could not be written.
int ShutdownApp();
