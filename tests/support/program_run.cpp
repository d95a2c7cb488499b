// Running the whole editor on the headless backend, with its button bitmaps, and reading its call log.
#include "program_run.h"

#include <filesystem>
#include <system_error>

#include "app/winmain.h"
#include "platform/headless/headless.h"
#include "platform/system.h"

namespace pixtest {

int RunWinMain() {
  char commandLine[] = "";
  constexpr int showDefault = 10;
  return WinMain(plat::GetModuleHandleA(nullptr), nullptr, commandLine, showDefault);
}

int RunProgram() {
  FreshMachine();
  return RunWinMain();
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
