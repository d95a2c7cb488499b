// The platform layer's input as the editor reads it, for the real-program checks: the editor's
// window and mouse made through the platform's calls, then once a pass the mouse record and the
// asynchronous key state read, and a line printed for what changed, until Escape (or a minute):
//   wheel N                  the wheel's motion of one read (lZ)
//   button I down|up         a button of the mouse record (0 left, 1 right, 2 middle)
//   key NAME                 a key of the list below went down
// with " alt" after a press made while Alt reads down. Built with the sdl backend
// (xvfb_input_probe) and with the win32 one (input_probe.exe, run under Wine).
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/display.h"
#include "platform/input.h"
#include "platform/system.h"
#include "platform/window.h"

namespace {

struct NamedKey {
  int virtualKey;
  char name[12];
};

std::vector<NamedKey> KeysToWatch() {
  // Alt first: the others say whether it was down with them.
  std::vector<NamedKey> keys = {{plat::VK_MENU, "MENU"},
                                {plat::VK_SPACE, "SPACE"},
                                {plat::VK_PRIOR, "PRIOR"},
                                {plat::VK_NEXT, "NEXT"},
                                {plat::VK_DELETE, "DELETE"}};
  for (char c = 'A'; c <= 'Z'; ++c) {
    keys.push_back({c, {c}});
  }
  for (char c = '0'; c <= '9'; ++c) {
    keys.push_back({c, {c}});
  }
  for (int f = 1; f <= 12; ++f) {
    NamedKey key{plat::VK_F1 + f - 1, {}};
    std::snprintf(key.name, sizeof key.name, "F%d", f);
    keys.push_back(key);
  }
  return keys;
}

bool Down(int virtualKey) {
  return (static_cast<std::uint16_t>(plat::GetAsyncKeyState(virtualKey)) & 0x8000u) != 0;
}

plat::LRESULT Procedure(plat::HWND window, std::uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) {
  if (message == plat::WM_DESTROY) {
    plat::PostQuitMessage(0);
    return 0;
  }
  return plat::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main() {
  const plat::HINSTANCE instance = plat::GetModuleHandleA(nullptr);
  plat::WNDCLASSEX windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "WINCLASS1";
  plat::DirectInput* input = nullptr;
  plat::InputDevice* mouse = nullptr;
  const plat::HWND window =
      plat::RegisterClassExA(&windowClass) == 0
          ? nullptr
          : plat::CreateWindowExA(0, "WINCLASS1", "DirectDraw Test for Game",
                                  plat::WS_POPUP | plat::WS_VISIBLE, 0, 0, plat::kScreenWidth,
                                  plat::kScreenHeight, nullptr, nullptr, instance, nullptr);
  if (window == nullptr || plat::FAILED(plat::DirectInputCreateEx(instance, 0x0700, &input, nullptr)) ||
      plat::FAILED(input->CreateDeviceEx(plat::GUID_SysMouse, &mouse, nullptr)) ||
      plat::FAILED(mouse->SetCooperativeLevel(window, plat::DISCL_NONEXCLUSIVE | plat::DISCL_BACKGROUND)) ||
      plat::FAILED(mouse->SetDataFormat(plat::c_dfDIMouse))) {
    std::fprintf(stderr, "input_probe: no window or mouse\n");
    return 1;
  }
  mouse->Acquire();
  std::printf("ready\n");
  std::fflush(stdout);

  const std::vector<NamedKey> keys = KeysToWatch();
  std::vector<bool> keyDown(keys.size(), false);
  bool buttonDown[3] = {false, false, false};
  const std::uint64_t end = plat::GetTickCount64() + 60000;
  while (plat::GetTickCount64() < end && !Down(plat::VK_ESCAPE)) {
    plat::BeginEditorPass();
    plat::MSG message = {};
    if (plat::PeekMessageA(&message, nullptr, 0, 0, plat::PM_REMOVE)) {
      if (message.message == plat::WM_QUIT) {
        break;
      }
      plat::TranslateMessage(&message);
      plat::DispatchMessageA(&message);
    }
    // Each key is read once a pass, as the editor reads them: a tap is seen at one read only.
    std::vector<bool> now(keys.size());
    for (std::size_t k = 0; k < keys.size(); ++k) {
      now[k] = Down(keys[k].virtualKey);
    }
    const char* alt = now[0] ? " alt" : "";
    plat::DIMOUSESTATE state = {};
    if (!plat::FAILED(mouse->GetDeviceState(sizeof state, &state))) {
      if (state.lZ != 0) {
        std::printf("wheel %d\n", static_cast<int>(state.lZ));
      }
      for (int i = 0; i < 3; ++i) {
        const bool down = state.rgbButtons[i] != 0;
        if (down != buttonDown[i]) {
          std::printf("button %d %s%s\n", i, down ? "down" : "up", down ? alt : "");
          buttonDown[i] = down;
        }
      }
    }
    for (std::size_t k = 0; k < keys.size(); ++k) {
      if (now[k] && !keyDown[k]) {
        std::printf("key %s%s\n", keys[k].name, k == 0 ? "" : alt);
      }
      keyDown[k] = now[k];
    }
    std::fflush(stdout);
  }
  mouse->Unacquire();
  mouse->Release();
  input->Release();
  plat::DestroyWindow(window);
  return 0;
}
