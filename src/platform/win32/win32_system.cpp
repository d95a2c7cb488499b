// The win32 backend's kernel and multimedia calls: sleeping, the clock, the sounds, files.
#include <io.h>
#include <sys/types.h>

#include <cerrno>
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

namespace {

// The C library's number for a system error, so that the message reads as on the other platforms.
int ErrnoFor(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    default:
      return EIO;
  }
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

// Fills, flushes to the disk and closes the temporary file; false with errno set.
bool WriteTemporary(const char* temporary, const FileContent& write) {
  std::FILE* out = std::fopen(temporary, "wb");
  if (out == nullptr) {
    return false;
  }
  errno = 0;
  bool ok = write(out);
  int error = ok ? 0 : (errno != 0 ? errno : EIO);
  if (ok && (std::fflush(out) != 0 || std::ferror(out) != 0)) {
    error = errno != 0 ? errno : EIO;
    ok = false;
  }
  if (ok && ::FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(out)))) == FALSE) {
    error = ErrnoFor(::GetLastError());
    ok = false;
  }
  if (std::fclose(out) != 0 && ok) {
    error = errno != 0 ? errno : EIO;
    ok = false;
  }
  errno = error;
  return ok;
}

}  // namespace

bool WriteWholeFile(const char* name, const FileContent& write) {
  if (name == nullptr || *name == '\0' || !write) {
    errno = EINVAL;
    return false;
  }
  const DWORD attributes = ::GetFileAttributesA(name);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    errno = EISDIR;
    return false;
  }
  // A new, empty file of a name of its own in the same folder.
  char temporary[MAX_PATH + 1] = {};
  if (::GetTempFileNameA(FolderOf(name).c_str(), "pix", 0, temporary) == 0) {
    errno = ErrnoFor(::GetLastError());
    return false;
  }
  if (!WriteTemporary(temporary, write)) {
    const int error = errno;
    ::DeleteFileA(temporary);
    errno = error;
    return false;
  }
  if (::MoveFileExA(temporary, name, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == FALSE) {
    const int error = ErrnoFor(::GetLastError());
    ::DeleteFileA(temporary);
    errno = error;
    return false;
  }
  return true;
}

}  // namespace plat
