// Window classes, the window, the posted-message queue and painting.
#include "../window.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "backend.h"
#include "end_request.h"
#include "shared_state.h"

namespace plat {

// A window lives in the registry until a reset, so a handle to a destroyed
// window is still recognised (and refused) instead of dangling.
struct Window {
  WNDPROC procedure;
  RECT rect;
  bool alive;
  bool needsPaint;
  HDC paintDc;
};

namespace {

struct WindowClass {
  std::string name;
  WNDPROC procedure;
};

// The one off-screen pixel a paint context draws on: painting the window
// never reaches the display surfaces.
struct PaintTarget {
  std::uint8_t pixel = 0;
  PALETTEENTRY palette[256] = {};
};

// Never destroyed: see the display objects.
struct WindowSystem {
  std::vector<WindowClass> classes;
  std::vector<std::unique_ptr<Window>> windows;
  std::deque<MSG> posted;
  bool quitPosted = false;
  int quitCode = 0;
  bool endRequested = false;
  PaintTarget paintTarget;
};

WindowSystem& System() {
  static auto* system = new WindowSystem;
  return *system;
}

// Tokens for the stock icon and cursor.
const char kIconToken = 'I';
const char kCursorToken = 'C';

std::string MessageName(std::uint32_t message) {
  switch (message) {
    case WM_CREATE:
      return "WM_CREATE";
    case WM_DESTROY:
      return "WM_DESTROY";
    case WM_PAINT:
      return "WM_PAINT";
    case WM_CLOSE:
      return "WM_CLOSE";
    case WM_QUIT:
      return "WM_QUIT";
    default: {
      char text[16];
      std::snprintf(text, sizeof text, "0x%04X", message);
      return text;
    }
  }
}

bool Traced(const std::string& call) {
  backend::Trace(call);
  return backend::ShouldFail(call);
}

Window* Find(HWND window) {
  for (auto& candidate : System().windows) {
    if (candidate.get() == window) {
      return candidate.get();
    }
  }
  return nullptr;
}

Window* FindAlive(HWND window) {
  Window* found = Find(window);
  return found != nullptr && found->alive ? found : nullptr;
}

bool Matches(const MSG& message, HWND window, std::uint32_t filterMin, std::uint32_t filterMax) {
  if (window != nullptr && message.hwnd != window) {
    return false;
  }
  if (filterMin == 0 && filterMax == 0) {
    return true;
  }
  return message.message >= filterMin && message.message <= filterMax;
}

}  // namespace

HICON LoadIconA(HINSTANCE /*instance*/, int /*id*/) {
  backend::Trace("LoadIconA");
  return &kIconToken;
}

HCURSOR LoadCursorA(HINSTANCE /*instance*/, int /*id*/) {
  backend::Trace("LoadCursorA");
  return &kCursorToken;
}

std::uint16_t RegisterClassExA(const WNDCLASSEX* windowClass) {
  if (Traced("RegisterClassExA")) {
    return 0;
  }
  if (windowClass == nullptr || windowClass->lpfnWndProc == nullptr ||
      windowClass->lpszClassName == nullptr || windowClass->lpszClassName[0] == '\0') {
    return 0;
  }
  auto& classes = System().classes;
  const std::string name = windowClass->lpszClassName;
  for (const WindowClass& known : classes) {
    if (known.name == name) {
      return 0;
    }
  }
  classes.push_back(WindowClass{name, windowClass->lpfnWndProc});
  return static_cast<std::uint16_t>(0xC000 + classes.size());
}

HWND CreateWindowExA(std::uint32_t /*exStyle*/, const char* className, const char* title, std::uint32_t style,
                     int x, int y, int width, int height, HWND /*parent*/, const void* /*menu*/,
                     HINSTANCE /*instance*/, void* /*param*/) {
  if (Traced("CreateWindowExA") || className == nullptr) {
    return nullptr;
  }
  const WindowClass* found = nullptr;
  for (const WindowClass& known : System().classes) {
    if (known.name == className) {
      found = &known;
    }
  }
  // One window: the backend shows a single full-screen window.
  for (const auto& window : System().windows) {
    if (window->alive) {
      return nullptr;
    }
  }
  if (found == nullptr ||
      !backend::WindowCreated(title != nullptr ? title : "", x, y, width, height, style)) {
    return nullptr;
  }
  auto made = std::make_unique<Window>(
      Window{found->procedure, RECT{x, y, x + width, y + height}, true, true, nullptr});
  Window* window = made.get();
  System().windows.push_back(std::move(made));
  if (window->procedure(window, WM_CREATE, 0, 0) == -1) {
    DestroyWindow(window);
  }
  return window->alive ? window : nullptr;
}

bool DestroyWindow(HWND handle) {
  if (Traced("DestroyWindow")) {
    return false;
  }
  Window* window = FindAlive(handle);
  if (window == nullptr) {
    return false;
  }
  // Gone before WM_DESTROY arrives, so the procedure cannot destroy it again.
  window->alive = false;
  window->procedure(window, WM_DESTROY, 0, 0);
  // Messages still waiting for the window go with it.
  auto& posted = System().posted;
  posted.erase(std::remove_if(posted.begin(), posted.end(), [&](const MSG& m) { return m.hwnd == window; }),
               posted.end());
  if (window->paintDc != nullptr) {
    DestroySurfaceDC(window->paintDc);
    window->paintDc = nullptr;
  }
  backend::WindowDestroyed();
  return true;
}

bool IsWindow(HWND window) {
  return FindAlive(window) != nullptr;
}

HWND GetActiveWindow() {
  for (const auto& window : System().windows) {
    if (window->alive) {
      return window.get();
    }
  }
  return nullptr;
}

bool EndRequested() {
  return System().endRequested;
}

bool PostMessageA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  if (Traced("PostMessageA(" + MessageName(message) + ")")) {
    return false;
  }
  // A null window posts to the thread itself.
  if (window != nullptr && FindAlive(window) == nullptr) {
    return false;
  }
  System().posted.push_back(MSG{window, message, wParam, lParam});
  return true;
}

bool PeekMessageA(MSG* message, HWND window, std::uint32_t filterMin, std::uint32_t filterMax,
                  std::uint32_t removeFlags) {
  backend::PumpEvents();
  if (message == nullptr) {
    return false;
  }
  WindowSystem& system = System();
  const bool remove = (removeFlags & PM_REMOVE) != 0;
  auto next = std::find_if(system.posted.begin(), system.posted.end(),
                           [&](const MSG& m) { return Matches(m, window, filterMin, filterMax); });
  if (next != system.posted.end()) {
    if (Traced("PeekMessageA(" + MessageName(next->message) + ")")) {
      return false;
    }
    *message = *next;
    if (remove) {
      system.posted.erase(next);
    }
    return true;
  }
  // The quit message waits until every posted message has been taken.
  if (system.quitPosted && Matches(MSG{nullptr, WM_QUIT, 0, 0}, nullptr, filterMin, filterMax) &&
      window == nullptr) {
    if (Traced("PeekMessageA(WM_QUIT)")) {
      return false;
    }
    *message = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(system.quitCode), 0};
    if (remove) {
      system.quitPosted = false;
    }
    return true;
  }
  // Painting comes last and repeats until the window is validated.
  for (auto& candidate : system.windows) {
    const MSG paint{candidate.get(), WM_PAINT, 0, 0};
    if (candidate->alive && candidate->needsPaint && Matches(paint, window, filterMin, filterMax)) {
      if (Traced("PeekMessageA(WM_PAINT)")) {
        return false;
      }
      *message = paint;
      return true;
    }
  }
  return false;
}

bool TranslateMessage(const MSG* message) {
  backend::Trace("TranslateMessage(" + MessageName(message != nullptr ? message->message : 0) + ")");
  return false;
}

LRESULT DispatchMessageA(const MSG* message) {
  if (message == nullptr || Traced("DispatchMessageA(" + MessageName(message->message) + ")")) {
    return 0;
  }
  Window* window = FindAlive(message->hwnd);
  if (window == nullptr) {
    return 0;
  }
  return window->procedure(window, message->message, message->wParam, message->lParam);
}

LRESULT DefWindowProcA(HWND window, std::uint32_t message, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  backend::Trace("DefWindowProcA(" + MessageName(message) + ")");
  if (message == WM_CLOSE) {
    DestroyWindow(window);
  } else if (message == WM_PAINT) {
    // An unpainted window would otherwise be asked to paint forever.
    if (Window* found = FindAlive(window)) {
      found->needsPaint = false;
    }
  }
  return 0;
}

void PostQuitMessage(int exitCode) {
  if (Traced("PostQuitMessage(" + std::to_string(exitCode) + ")")) {
    return;
  }
  System().quitPosted = true;
  System().quitCode = exitCode;
}

HDC BeginPaint(HWND handle, PAINTSTRUCT* paint) {
  if (Traced("BeginPaint")) {
    return nullptr;
  }
  Window* window = FindAlive(handle);
  if (window == nullptr || paint == nullptr || window->paintDc != nullptr) {
    return nullptr;
  }
  PaintTarget& target = System().paintTarget;
  window->paintDc = CreateSurfaceDC(&target.pixel, 1, 1, 1, target.palette);
  paint->hdc = window->paintDc;
  paint->fErase = false;
  paint->rcPaint = RECT{0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top};
  return window->paintDc;
}

bool EndPaint(HWND handle, const PAINTSTRUCT* paint) {
  if (Traced("EndPaint")) {
    return false;
  }
  Window* window = FindAlive(handle);
  if (window == nullptr || paint == nullptr) {
    return false;
  }
  if (window->paintDc != nullptr) {
    DestroySurfaceDC(window->paintDc);
    window->paintDc = nullptr;
  }
  window->needsPaint = false;
  return true;
}

}  // namespace plat

namespace plat::soft {

void RequestEnd() {
  WindowSystem& system = System();
  if (system.endRequested) {
    return;
  }
  backend::Trace("RequestEnd");
  system.endRequested = true;
  if (const HWND window = GetActiveWindow(); window != nullptr) {
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
}

}  // namespace plat::soft

namespace plat::shared {

void ResetWindows() {
  WindowSystem& system = System();
  for (auto& window : system.windows) {
    if (window->paintDc != nullptr) {
      DestroySurfaceDC(window->paintDc);
    }
  }
  system.classes.clear();
  system.windows.clear();
  system.posted.clear();
  system.quitPosted = false;
  system.quitCode = 0;
  system.endRequested = false;
}

}  // namespace plat::shared
