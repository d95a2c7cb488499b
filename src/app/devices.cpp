// Taking the display, building the palette, opening the input devices, and
// letting them all go again.
#include "devices.h"

#include <cstdio>
#include <string>

#include "../draw/primitives.h"
#include "../storage/folder_palette.h"
#include "../storage/settings_files.h"
#include "action_common.h"
#include "canvas/screen_colours.h"
#include "canvas/screen_layout.h"
#include "editor_message.h"
#include "editor_state.h"
#include "palette_in_force.h"

namespace {

const char* failedStep = nullptr;
// Why the folder's palette file was not used, shown once the screen is up.
std::string paletteMessage;

// True when result is a failure; remembers which step it was.
bool StepFailed(plat::HRESULT result, const char* step) {
  if (!plat::FAILED(result)) {
    return false;
  }
  failedStep = step;
  return true;
}

}  // namespace

void BuildPaletteTable() {
  const FolderPalette palette = ReadFolderPalette();
  TakeFolderPalette(palette);
  paletteMessage.clear();
  if (!palette.problem.reason.empty()) {
    std::fprintf(stderr, "pixed: %s\n", FolderPaletteReport(palette.problem).c_str());
    paletteMessage = FolderPaletteMessage(palette.problem);
  }
}

const char* FailedInitStep() {
  return failedStep;
}

int InitDevices() {
  failedStep = nullptr;
  DisplayDevice& display = displayDevice;
  InputDevices& input = inputDevices;
  const plat::HWND window = editorState.windowHandle;

  if (StepFailed(plat::DirectDrawCreateEx(nullptr, &display.directDraw, nullptr), "DirectDrawCreateEx")) {
    display.directDraw = nullptr;
    return 0;
  }
  if (StepFailed(
          display.directDraw->SetCooperativeLevel(window, plat::DDSCL_FULLSCREEN | plat::DDSCL_ALLOWREBOOT |
                                                              plat::DDSCL_EXCLUSIVE | plat::DDSCL_ALLOWMODEX),
          "SetCooperativeLevel")) {
    return 0;
  }
  if (StepFailed(display.directDraw->SetDisplayMode(plat::kScreenWidth, plat::kScreenHeight, 8, 0, 0),
                 "SetDisplayMode")) {
    return 0;
  }

  surfaceDesc = plat::DDSURFACEDESC2{};
  surfaceDesc.dwSize = sizeof(plat::DDSURFACEDESC2);
  surfaceDesc.dwFlags = plat::DDSD_CAPS | plat::DDSD_BACKBUFFERCOUNT;
  surfaceDesc.dwBackBufferCount = 1;
  surfaceDesc.ddsCaps.dwCaps = plat::DDSCAPS_PRIMARYSURFACE | plat::DDSCAPS_FLIP | plat::DDSCAPS_COMPLEX;
  if (StepFailed(display.directDraw->CreateSurface(&surfaceDesc, &display.primarySurface, nullptr),
                 "CreateSurface")) {
    display.primarySurface = nullptr;
    return 0;
  }
  surfaceDesc.ddsCaps.dwCaps = plat::DDSCAPS_BACKBUFFER;
  if (StepFailed(display.primarySurface->GetAttachedSurface(&surfaceDesc.ddsCaps, &display.backBuffer),
                 "GetAttachedSurface")) {
    display.backBuffer = nullptr;
    return 0;
  }

  BuildPaletteTable();
  if (StepFailed(display.directDraw->CreatePalette(plat::DDPCAPS_8BIT | plat::DDPCAPS_ALLOW256, paletteTable,
                                                   &display.palette, nullptr),
                 "CreatePalette")) {
    display.palette = nullptr;
    return 0;
  }
  if (StepFailed(display.primarySurface->SetPalette(display.palette), "SetPalette")) {
    return 0;
  }

  constexpr std::uint32_t directInputVersion = 0x0700;
  if (StepFailed(plat::DirectInputCreateEx(editorState.instanceHandle, directInputVersion, &input.directInput,
                                           nullptr),
                 "DirectInputCreateEx")) {
    input.directInput = nullptr;
    return 0;
  }
  if (StepFailed(input.directInput->CreateDeviceEx(plat::GUID_SysMouse, &input.mouse, nullptr),
                 "CreateDeviceEx(Mouse)")) {
    input.mouse = nullptr;
    return 0;
  }
  if (StepFailed(input.mouse->SetCooperativeLevel(window, plat::DISCL_NONEXCLUSIVE | plat::DISCL_BACKGROUND),
                 "Mouse.SetCooperativeLevel") ||
      StepFailed(input.mouse->SetDataFormat(plat::c_dfDIMouse), "Mouse.SetDataFormat")) {
    return 0;
  }
  input.mouse->Acquire();
  if (StepFailed(input.directInput->CreateDeviceEx(plat::GUID_SysKeyboard, &input.keyboard, nullptr),
                 "CreateDeviceEx(Keyboard)")) {
    input.keyboard = nullptr;
    return 0;
  }
  if (StepFailed(input.keyboard->SetDataFormat(plat::c_dfDIKeyboard), "Keyboard.SetDataFormat") ||
      StepFailed(
          input.keyboard->SetCooperativeLevel(window, plat::DISCL_NONEXCLUSIVE | plat::DISCL_FOREGROUND),
          "Keyboard.SetCooperativeLevel")) {
    return 0;
  }
  input.keyboard->Acquire();

  editorState.cursorX = layout::kCursorStart.x;
  editorState.cursorY = layout::kCursorStart.y;
  FillSurface(display.primarySurface, kBlackIndex);
  FillSurface(display.backBuffer, kBlackIndex);

  ReadSaveNameFile();
  ReadLoadNameFile();
  ReadSizeFile();
  if (!paletteMessage.empty()) {
    ShowEditorMessage(paletteMessage, kPromptColour);
  }
  return 1;
}

void ReleaseDevices() {
  InputDevices& input = inputDevices;
  if (input.keyboard != nullptr) {
    input.keyboard->Unacquire();
    input.keyboard->Release();
    input.keyboard = nullptr;
  }
  if (input.mouse != nullptr) {
    input.mouse->Unacquire();
    input.mouse->Release();
    input.mouse = nullptr;
  }
  if (input.directInput != nullptr) {
    input.directInput->Release();
    input.directInput = nullptr;
  }
  DisplayDevice& display = displayDevice;
  if (display.palette != nullptr) {
    display.palette->Release();
    display.palette = nullptr;
  }
  if (display.backBuffer != nullptr) {
    display.backBuffer->Release();
    display.backBuffer = nullptr;
  }
  if (display.primarySurface != nullptr) {
    display.primarySurface->Release();
    display.primarySurface = nullptr;
  }
  if (display.directDraw != nullptr) {
    display.directDraw->RestoreDisplayMode();
    display.directDraw->Release();
    display.directDraw = nullptr;
  }
}
