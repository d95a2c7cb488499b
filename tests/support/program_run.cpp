// Running the whole editor, or only its display, on the headless backend.
#include "program_run.h"

#include <filesystem>
#include <system_error>

#include "app/devices.h"
#include "app/editor_state.h"
#include "app/winmain.h"
#include "platform/headless/headless.h"
#include "platform/system.h"
#include "platform/window.h"

namespace pixtest {

void FreshMachine() {
  plat::headless::Reset();
  ResetEditorState();
}

int RunWinMain() {
  char commandLine[] = "";
  constexpr int showDefault = 10;
  return WinMain(plat::GetModuleHandleA(nullptr), nullptr, commandLine, showDefault);
}

int RunProgram() {
  FreshMachine();
  return RunWinMain();
}

bool OpenTestWindow() {
  plat::WNDCLASSEX windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = MainWindowProc;
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

bool OpenTestDisplay() {
  FreshMachine();
  DisplayDevice& display = displayDevice;
  if (plat::FAILED(plat::DirectDrawCreateEx(nullptr, &display.directDraw, nullptr))) {
    return false;
  }
  if (plat::FAILED(display.directDraw->SetDisplayMode(800, 600, 8, 0, 0))) {
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

std::size_t CopyButtonBitmaps() {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path folder = PIXED_BITMAP_DIR;
  if (folder.empty() || !fs::is_directory(folder, error)) {
    return 0;
  }
  std::size_t copied = 0;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().extension() != ".bmp") {
      continue;
    }
    if (fs::copy_file(entry.path(), entry.path().filename(), fs::copy_options::overwrite_existing, error)) {
      ++copied;
    }
  }
  return copied;
}

std::vector<std::string> CallsStartingWith(const std::string& prefix) {
  std::vector<std::string> calls;
  for (const std::string& call : plat::headless::CallLog()) {
    if (call.starts_with(prefix)) {
      calls.push_back(call);
    }
  }
  return calls;
}

long IndexOfCall(const std::string& name, std::size_t from) {
  const auto& log = plat::headless::CallLog();
  for (std::size_t i = from; i < log.size(); ++i) {
    if (log[i] == name) {
      return static_cast<long>(i);
    }
  }
  return -1;
}

std::string CallLogText() {
  std::string text;
  for (const std::string& call : plat::headless::CallLog()) {
    text += call;
    text += '\n';
  }
  return text;
}

}  // namespace pixtest
