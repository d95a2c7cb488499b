// The win32 backend's desktop window: its place on the monitor, what it must survive (the
// focus leaving and coming back, minimising, the desktop's resolution changing), and the mouse
// through the letterbox.
#include <cstring>

#include "win32_pointer.h"
// After the plat headers (see there).
#include "win32_desktop.h"

namespace plat::win32 {
namespace {

struct Desktop {
  ::HWND window = nullptr;
  // The window is in front; set from the start, as a new visible window is.
  bool active = true;
  // The pointer was elsewhere meanwhile: the cursor goes to it at the next read.
  bool followPointer = false;
  PointerMap pointer;
  // The confinement of ClipCursor, in screen pixels.
  bool clipped = false;
  ::RECT clip = {};
};

Desktop& State() {
  static Desktop desktop;
  return desktop;
}

// True when the command line holds word as a word of its own, after the program's name.
bool CommandLineHas(const char* word) {
  const char* line = ::GetCommandLineA();
  if (line == nullptr) {
    return false;
  }
  // The program's name, quoted or not.
  if (*line == '"') {
    line = std::strchr(line + 1, '"');
    line = line != nullptr ? line + 1 : "";
  } else {
    while (*line != '\0' && *line != ' ' && *line != '\t') {
      ++line;
    }
  }
  const std::size_t length = std::strlen(word);
  while (*line != '\0') {
    while (*line == ' ' || *line == '\t') {
      ++line;
    }
    const char* end = line;
    while (*end != '\0' && *end != ' ' && *end != '\t') {
      ++end;
    }
    if (static_cast<std::size_t>(end - line) == length && std::strncmp(line, word, length) == 0) {
      return true;
    }
    line = end;
  }
  return false;
}

// The window pixels the pointer may reach: the whole window, or the confinement's.
plat::RECT PointerLimit(const soft::Letterbox& box) {
  const Desktop& desktop = State();
  if (!desktop.clipped) {
    return plat::RECT{0, 0, box.windowWidth, box.windowHeight};
  }
  const soft::WindowRect area = soft::ScreenRectToWindow(
      box, plat::RECT{desktop.clip.left, desktop.clip.top, desktop.clip.right, desktop.clip.bottom});
  return plat::RECT{area.x, area.y, area.x + area.w, area.y + area.h};
}

::POINT WindowOrigin() {
  ::POINT origin = {0, 0};
  ::ClientToScreen(State().window, &origin);
  return origin;
}

// Confines the system pointer as the editor asked, in the window's place on the desktop.
void ApplyClip() {
  Desktop& desktop = State();
  if (!desktop.clipped || !desktop.active || desktop.window == nullptr) {
    ::ClipCursor(nullptr);
    return;
  }
  const plat::RECT limit = PointerLimit(CurrentLetterbox());
  const ::POINT origin = WindowOrigin();
  const ::RECT onDesktop = {origin.x + limit.left, origin.y + limit.top, origin.x + limit.right,
                            origin.y + limit.bottom};
  ::ClipCursor(&onDesktop);
}

// The window covers its monitor again (after the desktop's resolution changed).
void CoverMonitor(::HWND window) {
  ::MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info)) {
    const ::RECT& area = info.rcMonitor;
    ::SetWindowPos(window, nullptr, area.left, area.top, area.right - area.left, area.bottom - area.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace

bool Exclusive() {
  static const bool exclusive = CommandLineHas("--exclusive");
  return exclusive;
}

::RECT MonitorArea() {
  ::POINT pointer = {0, 0};
  ::GetCursorPos(&pointer);
  ::MONITORINFO info = {};
  info.cbSize = sizeof info;
  if (!::GetMonitorInfoA(::MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY), &info)) {
    return ::RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  }
  return info.rcMonitor;
}

void SetWindow(::HWND window) {
  State().window = window;
}

::HWND Window() {
  return State().window;
}

bool Active() {
  return State().active;
}

bool WindowMessage(::HWND window, UINT message, ::WPARAM wParam, ::LPARAM /*lParam*/, ::LRESULT* result) {
  Desktop& desktop = State();
  if (window != desktop.window) {
    return false;
  }
  switch (message) {
    case WM_ACTIVATEAPP:
      // Back in front: the pointer may be anywhere now.
      desktop.followPointer = desktop.followPointer || (wParam != FALSE && !desktop.active);
      desktop.active = wParam != FALSE;
      ApplyClip();
      PictureLost();
      // The system may have taken the mouse away meanwhile: the next read asks the device itself
      // (and acquires it again).
      MouseChanged();
      return false;
    case WM_DISPLAYCHANGE:
      CoverMonitor(window);
      ApplyClip();
      PictureLost();
      return false;
    case WM_PAINT:
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
      PictureLost();
      return false;
    case WM_NCDESTROY:
      desktop.window = nullptr;
      ::ClipCursor(nullptr);
      return false;
    case WM_ERASEBKGND:
      // The whole window is painted from the picture: no flash of black first.
      *result = 1;
      return true;
    default:
      return false;
  }
}

void MapMouseState(::DIMOUSESTATE* state) {
  Desktop& desktop = State();
  if (!desktop.active || desktop.window == nullptr || ::IsIconic(desktop.window)) {
    std::memset(state, 0, sizeof *state);
    return;
  }
  const soft::Letterbox& box = CurrentLetterbox();
  const plat::RECT limit = PointerLimit(box);
  plat::POINT motion{state->lX, state->lY};
  if (desktop.followPointer) {
    // Where the user left the pointer: what it did meanwhile was not the editor's.
    ::POINT pointer = {};
    ::GetCursorPos(&pointer);
    const ::POINT origin = WindowOrigin();
    FollowPointer(desktop.pointer, plat::POINT{pointer.x - origin.x, pointer.y - origin.y}, limit);
    desktop.followPointer = false;
    motion = {0, 0};
  }
  const plat::POINT cursor = TakeMotion(desktop.pointer, box, motion, limit);
  state->lX = cursor.x;
  state->lY = cursor.y;
}

bool PlaceCursor(int x, int y) {
  Desktop& desktop = State();
  if (desktop.window == nullptr) {
    return false;
  }
  const soft::Letterbox& box = CurrentLetterbox();
  plat::POINT inWindow{};
  if (!PlaceCursor(desktop.pointer, box, plat::POINT{x, y}, PointerLimit(box), &inWindow)) {
    return true;
  }
  // Another program's pointer is not the editor's to move.
  if (!desktop.active) {
    return true;
  }
  const ::POINT origin = WindowOrigin();
  return ::SetCursorPos(origin.x + inWindow.x, origin.y + inWindow.y) != FALSE;
}

bool ConfineCursor(const ::RECT* screenRect) {
  Desktop& desktop = State();
  desktop.clipped = screenRect != nullptr;
  if (screenRect != nullptr) {
    desktop.clip = *screenRect;
  }
  ApplyClip();
  return true;
}

}  // namespace plat::win32
