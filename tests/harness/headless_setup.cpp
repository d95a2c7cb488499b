// The headless editor's display, window and input devices, set up as start-up sets them up.
#include "headless_setup.h"

#include "app/devices.h"
#include "app/editor_state.h"
#include "platform/display.h"
#include "platform/headless/headless.h"
#include "platform/input.h"
#include "platform/system.h"

namespace pixtest {

namespace {

bool OpenInputDevice(plat::DeviceGuid which, plat::DataFormat format, std::uint32_t level,
                     plat::InputDevice** device) {
  return !plat::FAILED(inputDevices.directInput->CreateDeviceEx(which, device, nullptr)) &&
         !plat::FAILED((*device)->SetCooperativeLevel(editorState.windowHandle, level)) &&
         !plat::FAILED((*device)->SetDataFormat(format)) && !plat::FAILED((*device)->Acquire());
}

}  // namespace

void FreshMachine() {
  plat::headless::Reset();
  ResetEditorState();
}

bool OpenTestDisplay() {
  FreshMachine();
  DisplayDevice& display = displayDevice;
  if (plat::FAILED(plat::DirectDrawCreateEx(nullptr, &display.directDraw, nullptr)) ||
      plat::FAILED(display.directDraw->SetDisplayMode(800, 600, 8, 0, 0))) {
    return false;
  }
  surfaceDesc = {};
  surfaceDesc.dwSize = sizeof(surfaceDesc);
  surfaceDesc.dwFlags = plat::DDSD_CAPS | plat::DDSD_BACKBUFFERCOUNT;
  surfaceDesc.dwBackBufferCount = 1;
  surfaceDesc.ddsCaps.dwCaps = plat::DDSCAPS_PRIMARYSURFACE | plat::DDSCAPS_FLIP | plat::DDSCAPS_COMPLEX;
  if (plat::FAILED(display.directDraw->CreateSurface(&surfaceDesc, &display.primarySurface, nullptr))) {
    return false;
  }
  plat::DDSCAPS2 caps = {plat::DDSCAPS_BACKBUFFER, 0, 0, 0};
  if (plat::FAILED(display.primarySurface->GetAttachedSurface(&caps, &display.backBuffer))) {
    return false;
  }
  BuildPaletteTable();
  if (plat::FAILED(display.directDraw->CreatePalette(plat::DDPCAPS_8BIT | plat::DDPCAPS_ALLOW256,
                                                     paletteTable, &display.palette, nullptr)) ||
      plat::FAILED(display.primarySurface->SetPalette(display.palette))) {
    return false;
  }
  plat::DDBLTFX fill = {sizeof(plat::DDBLTFX), 0};
  display.primarySurface->Blt(nullptr, nullptr, nullptr, plat::DDBLT_COLORFILL | plat::DDBLT_WAIT, &fill);
  display.backBuffer->Blt(nullptr, nullptr, nullptr, plat::DDBLT_COLORFILL | plat::DDBLT_WAIT, &fill);
  return true;
}

void CloseTestDisplay() {
  DisplayDevice& display = displayDevice;
  if (display.palette != nullptr) {
    display.palette->Release();
  }
  if (display.backBuffer != nullptr) {
    display.backBuffer->Release();
  }
  if (display.primarySurface != nullptr) {
    display.primarySurface->Release();
  }
  if (display.directDraw != nullptr) {
    display.directDraw->RestoreDisplayMode();
    display.directDraw->Release();
  }
  display = {};
}

bool OpenTestWindow(plat::WNDPROC procedure) {
  plat::WNDCLASSEX windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.lpszClassName = "WINCLASS1";
  editorState.instanceHandle = plat::GetModuleHandleA(nullptr);
  windowClass.hInstance = editorState.instanceHandle;
  if (plat::RegisterClassExA(&windowClass) == 0) {
    return false;
  }
  editorState.windowHandle =
      plat::CreateWindowExA(0, "WINCLASS1", "DirectDraw Test for Game", plat::WS_POPUP | plat::WS_VISIBLE, 0,
                            0, 800, 600, nullptr, nullptr, editorState.instanceHandle, nullptr);
  return editorState.windowHandle != nullptr;
}

bool OpenTestInput() {
  return !plat::FAILED(plat::DirectInputCreateEx(editorState.instanceHandle, 0x0700,
                                                 &inputDevices.directInput, nullptr)) &&
         OpenInputDevice(plat::GUID_SysMouse, plat::c_dfDIMouse,
                         plat::DISCL_NONEXCLUSIVE | plat::DISCL_BACKGROUND, &inputDevices.mouse) &&
         OpenInputDevice(plat::GUID_SysKeyboard, plat::c_dfDIKeyboard,
                         plat::DISCL_NONEXCLUSIVE | plat::DISCL_FOREGROUND, &inputDevices.keyboard);
}

void CloseTestInput() {
  for (plat::InputDevice** device : {&inputDevices.keyboard, &inputDevices.mouse}) {
    if (*device != nullptr) {
      (*device)->Unacquire();
      (*device)->Release();
      *device = nullptr;
    }
  }
  if (inputDevices.directInput != nullptr) {
    inputDevices.directInput->Release();
    inputDevices.directInput = nullptr;
  }
}

}  // namespace pixtest
