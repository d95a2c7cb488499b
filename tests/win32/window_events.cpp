// What a desktop does to a program's window, done to pixed.exe's under Wine by the checks:
//   window_events focus-away MS     a window of its own takes the focus for MS ms, then gives it back
//   window_events minimize-restore  minimises the editor's window and restores it after a second
//   window_events resize W H        makes the editor's window W x H pixels
//   window_events display-change    tells the window that the desktop's resolution changed
// Exits with 1 when there is no editor window, 2 on a wrong command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND Editor() {
  return FindWindowA("WINCLASS1", nullptr);
}

// Answers this program's own window while time passes.
void Pump(DWORD ms) {
  const ULONGLONG end = GetTickCount64() + ms;
  while (GetTickCount64() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageA(&message);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr,
                 "usage: window_events focus-away MS | minimize-restore | resize W H | display-change\n");
    return 2;
  }
  const HWND editor = Editor();
  if (editor == nullptr) {
    std::fprintf(stderr, "window_events: no editor window\n");
    return 1;
  }
  const char* command = argv[1];
  if (std::strcmp(command, "focus-away") == 0 && argc == 3) {
    const HWND other = CreateWindowExA(0, "STATIC", "another program", WS_POPUP | WS_VISIBLE | WS_BORDER, 100,
                                       100, 320, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(other);
    Pump(static_cast<DWORD>(std::atoi(argv[2])));
    DestroyWindow(other);
    SetForegroundWindow(editor);
    Pump(200);
  } else if (std::strcmp(command, "minimize-restore") == 0) {
    ShowWindow(editor, SW_MINIMIZE);
    Pump(1000);
    ShowWindow(editor, SW_RESTORE);
    SetForegroundWindow(editor);
    Pump(200);
  } else if (std::strcmp(command, "resize") == 0 && argc == 4) {
    SetWindowPos(editor, nullptr, 0, 0, std::atoi(argv[2]), std::atoi(argv[3]),
                 SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (std::strcmp(command, "display-change") == 0) {
    DWORD_PTR result = 0;
    const LPARAM size = MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    SendMessageTimeoutA(editor, WM_DISPLAYCHANGE, 32, size, SMTO_ABORTIFHUNG, 5000, &result);
  } else {
    std::fprintf(stderr, "window_events: unknown command %s\n", command);
    return 2;
  }
  return 0;
}
