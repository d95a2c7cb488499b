// The window, its class and a Windows-style message queue.
//
// Kept as on the first platform: DefWindowProcA destroys the window on
// WM_CLOSE, which sends WM_DESTROY to the window procedure; posting to a
// destroyed window fails and queues nothing; PeekMessageA hands out WM_QUIT
// only when no other posted message waits.
#pragma once

#include <cstdint>

#include "gdi.h"
#include "platform_types.h"

namespace plat {

using WNDPROC = LRESULT (*)(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam);

struct WNDCLASSEX {
  std::uint32_t cbSize;
  std::uint32_t style;
  WNDPROC lpfnWndProc;
  int cbClsExtra;
  int cbWndExtra;
  HINSTANCE hInstance;
  HICON hIcon;
  HCURSOR hCursor;
  HBRUSH hbrBackground;
  const char* lpszMenuName;
  const char* lpszClassName;
  HICON hIconSm;
};

struct MSG {
  HWND hwnd;
  std::uint32_t message;
  WPARAM wParam;
  LPARAM lParam;
};

struct PAINTSTRUCT {
  HDC hdc;
  bool fErase;
  RECT rcPaint;
};

HICON LoadIconA(HINSTANCE instance, int id);
HCURSOR LoadCursorA(HINSTANCE instance, int id);
// Returns a non-zero class atom, or 0 on failure.
std::uint16_t RegisterClassExA(const WNDCLASSEX* windowClass);
// Creates the one window of a registered class; sends it WM_CREATE. Null on failure.
HWND CreateWindowExA(std::uint32_t exStyle, const char* className, const char* title, std::uint32_t style,
                     int x, int y, int width, int height, HWND parent, const void* menu, HINSTANCE instance,
                     void* param);
bool DestroyWindow(HWND window);
// True while window names a window that exists (created and not destroyed).
bool IsWindow(HWND window);
// The program's one window while it exists, else null: where the backend
// posts the window system's close request.
HWND GetActiveWindow();

// True once the system has asked the program to end (a termination signal,
// the session ending); WM_CLOSE has been posted then too. Nobody is left to
// finish a keyboard entry or the settings menu: they give up at once.
bool EndRequested();

bool PostMessageA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam);
// Takes the next message for any window (window null, filters 0, 0). Pumps
// the backend's events first.
bool PeekMessageA(MSG* message, HWND window, std::uint32_t filterMin, std::uint32_t filterMax,
                  std::uint32_t removeFlags);
// Called by the editor's main loop as the first thing of every pass
// (RunEditorPass), and by nothing else: entries and the settings menu do not
// call it. The backends pace the loop here: the screen is shown when it
// changed, and once it has settled the pass waits for input (a pass still
// runs every quarter second); the benchmark builds time the passes from one
// call to the next. The headless backend only logs "BeginEditorPass".
// Provided by the backend.
void BeginEditorPass();
bool TranslateMessage(const MSG* message);
LRESULT DispatchMessageA(const MSG* message);
LRESULT DefWindowProcA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);
HDC BeginPaint(HWND window, PAINTSTRUCT* paint);
bool EndPaint(HWND window, const PAINTSTRUCT* paint);

// The system cursor, in screen (800 x 600) coordinates. Provided by the backend.
bool SetCursorPos(int x, int y);
// rect null releases the cursor. Provided by the backend.
bool ClipCursor(const RECT* rect);

}  // namespace plat
