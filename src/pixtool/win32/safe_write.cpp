// Temporary file, flush, rename, as on Linux, through Windows' own calls: the
// replaced file is either the old one or the complete new one, never a part.
#include "pixtool/safe_write.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstring>

#include "pixtool/stream_write.h"

namespace pixtool {

namespace {

// The C library's wording for Windows' commonest failures, so that messages
// read as they do on Linux.
int ErrnoOf(DWORD failure) {
  switch (failure) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    default:
      return EIO;
  }
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) {
    return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : ".";
  }
  return path.substr(0, slash + 1);
}

// Fills the stream through body, flushes it to the disk and closes it.
bool WriteStream(std::FILE* stream, const WriteBody& body, std::string& error, int& failure) {
  errno = 0;
  const bool written = body(stream, error);
  failure = !written && std::ferror(stream) != 0 ? errno : 0;
  const bool flushed = written && std::fflush(stream) == 0 && std::ferror(stream) == 0 &&
                       FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)))) != 0;
  if (written && !flushed && failure == 0) {
    failure = errno != 0 ? errno : ErrnoOf(GetLastError());
  }
  if (std::fclose(stream) != 0 && flushed) {
    failure = errno != 0 ? errno : EIO;
    return false;
  }
  return written && flushed;
}

// A device such as NUL or CON rather than a file on a disk.
bool IsDevice(const std::string& path) {
  const HANDLE file = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return false;
  }
  const DWORD type = GetFileType(file);
  CloseHandle(file);
  return type != FILE_TYPE_DISK;
}

}  // namespace

bool WriteFileSafely(const std::string& path, const WriteBody& body, std::string& error) {
  if (IsDevice(path)) {
    return WriteInPlace(path, body, error);
  }
  const DWORD attributes = GetFileAttributesA(path.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  const DWORD lookup = exists ? ERROR_SUCCESS : GetLastError();
  // A missing folder is told by the temporary file's failure below, as on Linux.
  if (!exists && lookup != ERROR_FILE_NOT_FOUND && lookup != ERROR_PATH_NOT_FOUND) {
    error = CannotWrite(path, ErrnoOf(lookup));
    return false;
  }
  if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    error = CannotWrite(path, EISDIR);
    return false;
  }
  if (exists && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    // The rename would replace it all the same: Windows' read-only flag says no.
    error = CannotWrite(path, EACCES);
    return false;
  }

  // A name of the folder's own, made and reserved by Windows.
  char temporary[MAX_PATH + 1] = {};
  if (GetTempFileNameA(FolderOf(path).c_str(), "pix", 0, temporary) == 0) {
    error = CannotWrite(path, ErrnoOf(GetLastError())) + " (no temporary file beside it)";
    return false;
  }
  std::FILE* stream = std::fopen(temporary, "wb");
  if (stream == nullptr) {
    error = CannotWrite(path, errno);
    DeleteFileA(temporary);
    return false;
  }
  int failure = 0;
  bool ok = WriteStream(stream, body, error, failure);
  if (ok && MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
    failure = ErrnoOf(GetLastError());
    ok = false;
  }
  if (!ok) {
    DeleteFileA(temporary);
    if (failure != 0) {
      error = CannotWrite(path, failure);
    }
    return false;
  }
  return true;
}

bool WriteStandardOutput(const WriteBody& body, std::string& error) {
  // Bytes as they are: text mode would put a carriage return before every line feed of a PNG.
  std::fflush(stdout);
  _setmode(_fileno(stdout), _O_BINARY);
  const bool written = WriteStandardOutputStream(body, error);
  std::fflush(stdout);
  _setmode(_fileno(stdout), _O_TEXT);
  return written;
}

}  // namespace pixtool
