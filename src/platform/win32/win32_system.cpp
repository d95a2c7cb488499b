// The win32 backend's kernel and multimedia calls: sleeping, the clock, the sounds, files.
#include <sys/types.h>

#include <cstdio>
#include <string>

#include "../system.h"
// After the plat headers (see there).
#include "win32_desktop.h"
#include "win32_keys.h"

// Image positions go past 2 GB: the editor's seeks need the 64-bit file offsets.
static_assert(sizeof(off_t) == 8, "build with _FILE_OFFSET_BITS=64");

namespace plat {

// On the desktop the window keeps its picture meanwhile.
void Sleep(std::uint32_t ms) {
  win32::KeysPaused(ms);
  if (!win32::Exclusive()) {
    win32::SleepPresenting(ms);
    return;
  }
  ::Sleep(ms);
}

std::uint64_t GetTickCount64() {
  return ::GetTickCount64();
}

bool PlaySoundA(int resource, HINSTANCE module, std::uint32_t flags) {
  return ::PlaySoundA(MAKEINTRESOURCEA(resource), win32::ToReal<::HMODULE>(module), flags) != FALSE;
}

HINSTANCE GetModuleHandleA(const char* name) {
  return win32::ToPlat<HINSTANCE>(::GetModuleHandleA(name));
}

// Always binary: the C library's text mode would write a size byte 10 as two
// bytes and end a read at a byte 26, so the settings files would differ from
// those of the other platforms and could come back wrong.
std::FILE* OpenFile(const char* name, const char* mode) {
  if (name == nullptr || mode == nullptr) {
    return nullptr;
  }
  std::string binary;
  for (const char* c = mode; *c != '\0'; ++c) {
    if (*c != 't' && *c != 'b') {
      binary += *c;
    }
  }
  binary += 'b';
  return std::fopen(name, binary.c_str());
}

bool TruncateFile(const char* name, std::int64_t length) {
  if (name == nullptr || length < 0) {
    return false;
  }
  const HANDLE file = ::CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  LARGE_INTEGER end = {};
  end.QuadPart = length;
  const bool cut =
      ::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) != FALSE && ::SetEndOfFile(file) != FALSE;
  ::CloseHandle(file);
  return cut;
}

}  // namespace plat
