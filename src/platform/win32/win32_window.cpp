// The win32 backend's window: the real class, window, message queue, painting and cursor.
#include "../soft/editor_pass.h"
#include "../window.h"
// After the plat headers (see there).
#include "win32_desktop.h"
#include "win32_keys.h"
#include "win32_pass_timer.h"

// The Windows headers make it a macro for the A or W record.
#undef WNDCLASSEX

namespace plat {
namespace {

// The program's one window procedure: the class gets a real one that hands
// every message on to it.
WNDPROC programProcedure = nullptr;

// Set when the session is to end.
bool endRequested = false;

LRESULT CALLBACK WindowProcedure(::HWND window, UINT message, ::WPARAM wParam, ::LPARAM lParam) {
  win32::KeyboardMessage(message, wParam, lParam);
  // The system ends the process soon after the session's end is agreed to,
  // so the program asks for a moment instead: it closes at once, an entry
  // or the settings menu giving up, and writes its settings; the session
  // ends when it has gone.
  if (message == WM_QUERYENDSESSION || (message == WM_ENDSESSION && wParam != FALSE)) {
    if (!endRequested) {
      endRequested = true;
      ::PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (message == WM_QUERYENDSESSION) {
      return FALSE;
    }
  }
  // The editor has no menu: Alt and F10 are keys of its own, and Alt with a letter does not beep.
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
    return 0;
  }
  ::LRESULT answer = 0;
  if (!win32::Exclusive() && win32::WindowMessage(window, message, wParam, lParam, &answer)) {
    return answer;
  }
  if (programProcedure == nullptr) {
    return ::DefWindowProcA(window, message, wParam, lParam);
  }
  return programProcedure(win32::ToPlat<HWND>(window), message, wParam, lParam);
}

// The message last taken from the queue: its time and place go back to the
// system with it when it is dispatched.
::MSG lastTaken = {};

::MSG ToReal(const MSG& message) {
  ::MSG real = lastTaken;
  if (real.hwnd != win32::ToReal<::HWND>(message.hwnd) || real.message != message.message ||
      real.wParam != message.wParam || real.lParam != message.lParam) {
    real = {};
    real.hwnd = win32::ToReal<::HWND>(message.hwnd);
    real.message = message.message;
    real.wParam = message.wParam;
    real.lParam = message.lParam;
  }
  return real;
}

// The paint record between BeginPaint and EndPaint.
::PAINTSTRUCT painting = {};

}  // namespace

HICON LoadIconA(HINSTANCE instance, int id) {
  return ::LoadIconA(win32::ToReal<::HINSTANCE>(instance), MAKEINTRESOURCEA(id));
}

HCURSOR LoadCursorA(HINSTANCE instance, int id) {
  return ::LoadCursorA(win32::ToReal<::HINSTANCE>(instance), MAKEINTRESOURCEA(id));
}

std::uint16_t RegisterClassExA(const WNDCLASSEX* windowClass) {
  if (windowClass == nullptr || windowClass->lpfnWndProc == nullptr) {
    return 0;
  }
  ::WNDCLASSEXA real = {};
  real.cbSize = sizeof real;
  real.style = windowClass->style;
  real.lpfnWndProc = WindowProcedure;
  real.cbClsExtra = windowClass->cbClsExtra;
  real.cbWndExtra = windowClass->cbWndExtra;
  real.hInstance = win32::ToReal<::HINSTANCE>(windowClass->hInstance);
  real.hIcon = win32::ToReal<::HICON>(windowClass->hIcon);
  real.hCursor = win32::ToReal<::HCURSOR>(windowClass->hCursor);
  real.hbrBackground = win32::ToReal<::HBRUSH>(windowClass->hbrBackground);
  real.lpszMenuName = windowClass->lpszMenuName;
  real.lpszClassName = windowClass->lpszClassName;
  real.hIconSm = win32::ToReal<::HICON>(windowClass->hIconSm);
  programProcedure = windowClass->lpfnWndProc;
  return ::RegisterClassExA(&real);
}

// The desktop way puts the window over the whole monitor, whatever size the editor asks for:
// the screen is scaled into it.
HWND CreateWindowExA(std::uint32_t exStyle, const char* className, const char* title, std::uint32_t style,
                     int x, int y, int width, int height, HWND parent, const void* menu, HINSTANCE instance,
                     void* param) {
  if (!win32::Exclusive()) {
    // The monitor in its own pixels: a program that does not say so is drawn magnified, and
    // blurred, by the system on a display set to a larger text size.
    ::SetProcessDPIAware();
    const ::RECT monitor = win32::MonitorArea();
    x = monitor.left;
    y = monitor.top;
    width = monitor.right - monitor.left;
    height = monitor.bottom - monitor.top;
  }
  const ::HWND made =
      ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, win32::ToReal<::HWND>(parent),
                        win32::ToReal<::HMENU>(menu), win32::ToReal<::HINSTANCE>(instance), param);
  if (made != nullptr && !win32::Exclusive()) {
    win32::SetWindow(made);
  }
  return win32::ToPlat<HWND>(made);
}

bool DestroyWindow(HWND window) {
  return ::DestroyWindow(win32::ToReal<::HWND>(window)) != FALSE;
}

bool IsWindow(HWND window) {
  return ::IsWindow(win32::ToReal<::HWND>(window)) != FALSE;
}

HWND GetActiveWindow() {
  return win32::ToPlat<HWND>(::GetActiveWindow());
}

// The session's end comes as a message sent to the window, which only a
// message call takes: entries and the settings menu ask here between polls.
bool EndRequested() {
  ::MSG sent = {};
  ::PeekMessageA(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  return endRequested;
}

bool PostMessageA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  return ::PostMessageA(win32::ToReal<::HWND>(window), message, wParam, lParam) != FALSE;
}

// The pass's time is counted from here; on the desktop the pass waits here for input once the
// screen has settled.
void BeginEditorPass() {
  soft::CountEditorPass();
  win32::NoteMainLoopTurn();
  if (!win32::Exclusive()) {
    win32::PaceEditorPass();
  }
}

// Key presses and releases taken go to the latches (win32_keys.h), where the editor reads the keys,
// and the message after them is taken: the main loop's one message a pass is never a key's, but
// for Alt+F4's press, which goes on to the system as well, to close the window as Escape does.
bool PeekMessageA(MSG* message, HWND window, std::uint32_t filterMin, std::uint32_t filterMax,
                  std::uint32_t removeFlags) {
  ::MSG real = {};
  for (;;) {
    if (message == nullptr ||
        ::PeekMessageA(&real, win32::ToReal<::HWND>(window), filterMin, filterMax, removeFlags) == FALSE) {
      return false;
    }
    if ((removeFlags & PM_REMOVE) == 0 || !win32::IsKeyMessage(real.message)) {
      break;
    }
    win32::KeyboardMessage(real.message, real.wParam, real.lParam);
    if (real.message == WM_SYSKEYDOWN && real.wParam == VK_F4) {
      break;
    }
  }
  lastTaken = real;
  *message = {win32::ToPlat<HWND>(real.hwnd), real.message, real.wParam, real.lParam};
  return true;
}

bool TranslateMessage(const MSG* message) {
  if (message == nullptr) {
    return false;
  }
  const ::MSG real = ToReal(*message);
  return ::TranslateMessage(&real) != FALSE;
}

LRESULT DispatchMessageA(const MSG* message) {
  if (message == nullptr) {
    return 0;
  }
  const ::MSG real = ToReal(*message);
  return ::DispatchMessageA(&real);
}

LRESULT DefWindowProcA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  return ::DefWindowProcA(win32::ToReal<::HWND>(window), message, wParam, lParam);
}

void PostQuitMessage(int exitCode) {
  ::PostQuitMessage(exitCode);
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
  const ::HDC dc = ::BeginPaint(win32::ToReal<::HWND>(window), &painting);
  if (paint != nullptr) {
    paint->hdc = win32::ToPlat<HDC>(dc);
    paint->fErase = painting.fErase != FALSE;
    paint->rcPaint = {painting.rcPaint.left, painting.rcPaint.top, painting.rcPaint.right,
                      painting.rcPaint.bottom};
  }
  return win32::ToPlat<HDC>(dc);
}

bool EndPaint(HWND window, const PAINTSTRUCT* /*paint*/) {
  return ::EndPaint(win32::ToReal<::HWND>(window), &painting) != FALSE;
}

// In screen pixels: on the desktop they are mapped into the window.
bool SetCursorPos(int x, int y) {
  if (!win32::Exclusive()) {
    return win32::PlaceCursor(x, y);
  }
  return ::SetCursorPos(x, y) != FALSE;
}

bool ClipCursor(const RECT* rect) {
  const ::RECT real = rect != nullptr ? win32::ToReal(*rect) : ::RECT{};
  if (!win32::Exclusive()) {
    return win32::ConfineCursor(rect != nullptr ? &real : nullptr);
  }
  return ::ClipCursor(rect != nullptr ? &real : nullptr) != FALSE;
}

}  // namespace plat
