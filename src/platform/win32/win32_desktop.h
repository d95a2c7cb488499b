// The win32 backend's desktop way, the default: a borderless window over the monitor at the
// desktop's own mode, the editor's 8-bit screen a surface in system memory that the backend
// scales into the window when it changed, the mouse mapped through the letterbox, and passes
// that wait for input once the screen has settled. `pixed.exe --exclusive` takes the first
// platform's exclusive 800 x 600 x 8 mode instead, where none of this runs.
// Internal to src/platform/win32; include it after the plat headers.
#pragma once

#include <cstdint>

#include "../soft/screen_fit.h"
// After the plat headers (see there).
#include "win32_handles.h"

namespace plat::win32 {

// True when the command line asks for the exclusive mode ("--exclusive").
bool Exclusive();

// ---- The window (win32_desktop.cpp) ----

// Where the program's one window goes: the monitor it starts on, whole.
::RECT MonitorArea();
// The window exists (or is gone, null).
void SetWindow(::HWND window);
::HWND Window();
// A message for the window, before the program sees it. True when it is answered here, with
// *result; the program's procedure sees it otherwise.
bool WindowMessage(::HWND window, UINT message, ::WPARAM wParam, ::LPARAM lParam, ::LRESULT* result);
// True while the window is the one in front: only then does the editor get the mouse and keys.
bool Active();

// ---- The mouse (win32_desktop.cpp) ----

// Turns the mouse device's record (a DIMOUSESTATE) from window pixels into the editor's: the
// motion of the cursor under the pointer, and nothing while another window is in front.
void MapMouseState(::DIMOUSESTATE* state);
// SetCursorPos and ClipCursor of the editor, in screen pixels.
bool PlaceCursor(int x, int y);
bool ConfineCursor(const ::RECT* screenRect);

// ---- The picture (win32_present.cpp) ----

// The memory of the surface the editor takes for its primary (800 x 600 bytes, row after row),
// and its palette; null when released.
void SetScreenMemory(const std::uint8_t* memory);
void SetScreenPalette(::IDirectDrawPalette* palette);
bool IsScreenMemory(const std::uint8_t* memory);
// The colours of the screen's palette as a bitmap's colour table; false before there is one.
bool ScreenColours(::RGBQUAD* table);
// The window lost its picture, or changed its size: the next present shows it whole.
void PictureLost();
// The letterbox of the window now.
const soft::Letterbox& CurrentLetterbox();
// The start of a main-loop pass (plat::BeginEditorPass): presents when due, then waits for input
// while the screen has settled, a pass still running every IdlePassMs().
void PaceEditorPass();
// The event DirectInput signals when the mouse changes (null when there is none): the waits
// between passes end at it too.
void SetMouseChanged(::HANDLE event);
// Signals that event: the next read asks the device.
void MouseChanged();
// Sleep that keeps the picture: presents at once, then answers the window until ms are over.
void SleepPresenting(DWORD ms);

}  // namespace plat::win32
