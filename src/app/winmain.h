// Program entry, the window procedure and shutdown.
#pragma once

#include "../platform/platform_types.h"

// Registers the class, creates the window, sets up the devices, runs the
// editor and shuts down. Returns the process exit status: 0 after a normal
// run, 1 when the class, the window or the devices could not be set up.
int WinMain(plat::HINSTANCE instance, plat::HINSTANCE previousInstance, char* commandLine, int showState);

plat::LRESULT MainWindowProc(plat::HWND window, std::uint32_t message, plat::WPARAM wParam,
                             plat::LPARAM lParam);

// Writes the settings back and releases every object that exists, input
// side first. Returns 1.
int ShutdownApp();
