// What the fuzz targets share: the headless editor in a working folder on a memory file system.
#include "fuzz_machine.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/edit_history.h"
#include "app/editor_state.h"
#include "app/key_list.h"
#include "app/view_keys.h"
#include "canvas/grid_view.h"
#include "canvas/image_history.h"
#include "canvas/image_store.h"
#include "canvas/tools.h"
#include "draw/image_areas.h"
#include "harness/headless_setup.h"
#include "platform/display.h"
#include "platform/headless/headless.h"
#include "platform/system.h"
#include "platform/window.h"

namespace pixfuzz {

namespace {

std::string workingFolder;

void RemoveWorkingFolder() {
  std::error_code error;
  std::filesystem::remove_all(workingFolder, error);
}

plat::LRESULT IgnoreClose(plat::HWND window, std::uint32_t message, plat::WPARAM wParam,
                          plat::LPARAM lParam) {
  return message == plat::WM_CLOSE ? 0 : plat::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void OpenEditorOnce() {
  static const bool opened = [] {
    const char* base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/pixed-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0) {
      Fail("no working folder in " + std::string(base));
    }
    workingFolder = pattern;
    std::atexit(RemoveWorkingFolder);
    if (!pixtest::OpenTestDisplay() || !pixtest::OpenTestWindow(IgnoreClose) || !pixtest::OpenTestInput()) {
      Fail("the headless editor could not be opened");
    }
    plat::headless::SetLogging(false);
    return true;
  }();
  (void)opened;
}

int StartInput() {
  plat::headless::ClearScripts();
  plat::headless::SetSleepObserver(nullptr);
  const int closes = TakeCloseRequests();
  const EditorState kept = editorState;
  editorState = EditorState{};
  editorState.instanceHandle = kept.instanceHandle;
  editorState.windowHandle = kept.windowHandle;
  editorState.cursorX = 400;
  editorState.cursorY = 300;
  // Each input starts as a new run of the editor does: an empty history, both
  // images black, the grid at its start view with nothing of it on the
  // screen yet, the pen, no aids, the panel's first page.
  ResetEditing();
  return closes;
}

Input::~Input() {
  plat::headless::ClearScripts();
  plat::headless::SetSleepObserver(nullptr);
  TakeCloseRequests();
  // The history's blocks, kept for the next steps, go back too.
  ResetImageHistory(0);
}

ScreenLock::ScreenLock() {
  plat::DDSURFACEDESC2 desc = {};
  Check(!plat::FAILED(displayDevice.primarySurface->Lock(nullptr, &desc, plat::DDLOCK_WAIT, nullptr)),
        "the screen cannot be locked");
  pixels_ = static_cast<std::uint8_t*>(desc.lpSurface);
  pitch_ = desc.lPitch;
}

ScreenLock::~ScreenLock() {
  displayDevice.primarySurface->Unlock(nullptr);
}

bool ScreenLock::On(std::int64_t x, std::int64_t y) {
  return x >= 0 && y >= 0 && x < plat::kScreenWidth && y < plat::kScreenHeight;
}

int TakeCloseRequests() {
  int count = 0;
  plat::MSG message = {};
  while (plat::PeekMessageA(&message, nullptr, plat::WM_CLOSE, plat::WM_CLOSE, plat::PM_REMOVE)) {
    ++count;
  }
  return count;
}

void WriteFile(const char* name, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(name, "wb");
  if (file == nullptr || (size > 0 && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0) {
    Fail(std::string("cannot write ") + name);
  }
}

void WriteFile(const char* name, const std::string& bytes) {
  WriteFile(name, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

bool ReadFile(const char* name, std::string* bytes) {
  std::FILE* file = std::fopen(name, "rb");
  if (file == nullptr) {
    return false;
  }
  bytes->clear();
  char buffer[65536];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes->append(buffer, got);
  }
  std::fclose(file);
  return true;
}

void EmptyWorkingFolder() {
  DIR* folder = opendir(".");
  if (folder == nullptr) {
    Fail("cannot read the working folder");
  }
  while (const dirent* entry = readdir(folder)) {
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
      std::error_code error;
      std::filesystem::remove_all(entry->d_name, error);
    }
  }
  closedir(folder);
}

void Fail(const std::string& message) {
  std::fprintf(stderr, "pixed fuzz check failed: %s\n", message.c_str());
  std::abort();
}

}  // namespace pixfuzz
