// Program entry, the window procedure and shutdown.
#include "winmain.h"

#include <cstdio>

#include "../platform/gdi.h"
#include "../platform/window.h"
#include "../storage/settings_files.h"
#include "devices.h"
#include "editor_loop.h"
#include "editor_state.h"

int WinMain(plat::HINSTANCE instance, plat::HINSTANCE /*previousInstance*/, char* /*commandLine*/,
            int /*showState*/) {
  plat::WNDCLASSEX windowClass = {};
  windowClass.cbSize = sizeof(plat::WNDCLASSEX);
  windowClass.style = plat::CS_VREDRAW | plat::CS_HREDRAW | plat::CS_DBLCLKS | plat::CS_OWNDC;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = 0;
  windowClass.hInstance = instance;
  windowClass.hIcon = plat::LoadIconA(nullptr, plat::IDI_APPLICATION);
  windowClass.hCursor = plat::LoadCursorA(nullptr, plat::IDC_ARROW);
  windowClass.hbrBackground = static_cast<plat::HBRUSH>(plat::GetStockObject(plat::BLACK_BRUSH));
  windowClass.lpszMenuName = nullptr;
  windowClass.lpszClassName = "WINCLASS1";
  windowClass.hIconSm = plat::LoadIconA(nullptr, plat::IDI_APPLICATION);

  editorState.instanceHandle = instance;
  // Without a class or a window nothing was touched; still, a program that
  // could not start must not report success to whoever started it.
  if (plat::RegisterClassExA(&windowClass) == 0) {
    std::fprintf(stderr, "pixed: could not start: RegisterClassExA failed\n");
    return 1;
  }
  const plat::HWND window =
      plat::CreateWindowExA(0, "WINCLASS1", "DirectDraw Test for Game", plat::WS_POPUP | plat::WS_VISIBLE, 0,
                            0, plat::kScreenWidth, plat::kScreenHeight, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    std::fprintf(stderr, "pixed: could not start: CreateWindowExA failed\n");
    return 1;
  }
  editorState.windowHandle = window;

  if (InitDevices() == 0) {
    // The settings were never read: writing them now would put defaults
    // over the user's files. Let go of what was made and leave.
    ReleaseDevices();
    const char* step = FailedInitStep();
    std::fprintf(stderr, "pixed: could not start: %s failed\n", step != nullptr ? step : "start-up");
    return 1;
  }
  RunEditorLoop();
  return ShutdownApp() == 1 ? 0 : kExitSettingsNotWritten;
}

plat::LRESULT MainWindowProc(plat::HWND window, std::uint32_t message, plat::WPARAM wParam,
                             plat::LPARAM lParam) {
  switch (message) {
    case plat::WM_CREATE:
      return 0;
    case plat::WM_DESTROY:
      plat::PostQuitMessage(0);
      return 0;
    case plat::WM_PAINT: {
      // Only validates the window: everything is drawn on the display surface.
      plat::PAINTSTRUCT paint = {};
      plat::BeginPaint(window, &paint);
      plat::EndPaint(window, &paint);
      return 0;
    }
    default:
      return plat::DefWindowProcA(window, message, wParam, lParam);
  }
}

int ShutdownApp() {
  // All three are tried, whatever the first one did.
  const int saveName = WriteSaveNameFile();
  const int loadName = WriteLoadNameFile();
  const int size = WriteSizeFile();
  ReleaseDevices();
  return saveName == 1 && loadName == 1 && size == 1 ? 1 : 0;
}
