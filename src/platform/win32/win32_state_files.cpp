// The Windows program's own files outside the working folder: %LOCALAPPDATA%\pixed,
// whole-file replaces off the editor's thread, and locks held by open handles.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>

#include "../soft/file_queue.h"
#include "../system.h"
// After the plat headers (see there).
#include "win32_handles.h"

namespace plat {
namespace {

int ErrnoOf(DWORD error) {
  switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return ENOENT;
    case ERROR_DIRECTORY:
      return ENOTDIR;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return ENOMEM;
    default:
      return EIO;
  }
}

bool Separator(char c) {
  return c == '\\' || c == '/';
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// CreateDirectory for every missing part; a drive ("C:") or a share's root
// exists already. 0, or the errno value of what failed (ENOTDIR for a file
// where a folder should be).
int MakeFolders(const std::string& folder) {
  const DWORD attributes = ::GetFileAttributesA(folder.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? 0 : ENOTDIR;
  }
  const std::size_t slash = folder.find_last_of("\\/");
  if (slash != std::string::npos && slash > 0 && !Separator(folder[slash - 1]) && folder[slash - 1] != ':') {
    const int error = MakeFolders(folder.substr(0, slash));
    if (error != 0) {
      return error;
    }
  }
  if (::CreateDirectoryA(folder.c_str(), nullptr) != FALSE) {
    return 0;
  }
  const DWORD error = ::GetLastError();
  return error == ERROR_ALREADY_EXISTS ? 0 : ErrnoOf(error);
}

int ReplaceWhole(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const int folderError = MakeFolders(FolderOf(path));
  if (folderError != 0) {
    return folderError;
  }
  const std::string temporary = path + ".new";
  const HANDLE file = ::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return ErrnoOf(::GetLastError());
  }
  DWORD error = 0;
  std::size_t done = 0;
  while (error == 0 && done < bytes.size()) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
    DWORD written = 0;
    if (::WriteFile(file, bytes.data() + done, piece, &written, nullptr) == FALSE || written == 0) {
      error = ::GetLastError() != 0 ? ::GetLastError() : ERROR_WRITE_FAULT;
    }
    done += written;
  }
  if (error == 0 && ::FlushFileBuffers(file) == FALSE) {
    error = ::GetLastError();
  }
  ::CloseHandle(file);
  if (error == 0 && ::MoveFileExA(temporary.c_str(), path.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == FALSE) {
    error = ::GetLastError();
  }
  if (error != 0) {
    ::DeleteFileA(temporary.c_str());
    return ErrnoOf(error);
  }
  return 0;
}

int RunJob(const soft::FileJob& job) {
  if (job.kind == soft::FileJob::Kind::Remove) {
    if (::DeleteFileA(job.path.c_str()) != FALSE) {
      return 0;
    }
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND ? 0 : ErrnoOf(error);
  }
  return ReplaceWhole(job.path, job.bytes);
}

// A file that cannot be deleted (held open elsewhere without the right to
// delete) may still be written.
int MarkInPlace(const std::string& path, const FileMark& mark) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    return ErrnoOf(::GetLastError());
  }
  LARGE_INTEGER size{};
  LARGE_INTEGER at{};
  DWORD error = 0;
  if (::GetFileSizeEx(file, &size) == FALSE) {
    error = ::GetLastError();
  } else if (mark.fromEnd < mark.bytes.size() || static_cast<std::uint64_t>(size.QuadPart) < mark.fromEnd) {
    error = ERROR_INVALID_PARAMETER;
  }
  at.QuadPart = size.QuadPart - static_cast<LONGLONG>(mark.fromEnd);
  DWORD written = 0;
  if (error == 0 && ::SetFilePointerEx(file, at, nullptr, FILE_BEGIN) == FALSE) {
    error = ::GetLastError();
  }
  if (error == 0 && (::WriteFile(file, mark.bytes.data(), static_cast<DWORD>(mark.bytes.size()), &written,
                                 nullptr) == FALSE ||
                     written != mark.bytes.size())) {
    error = ::GetLastError() != 0 ? ::GetLastError() : ERROR_WRITE_FAULT;
  }
  if (error == 0 && ::FlushFileBuffers(file) == FALSE) {
    error = ::GetLastError();
  }
  ::CloseHandle(file);
  return error == 0 ? 0 : (error == ERROR_INVALID_PARAMETER ? EINVAL : ErrnoOf(error));
}

soft::FileQueue& Queue() {
  static soft::FileQueue queue(RunJob, MarkInPlace);
  return queue;
}

std::map<std::string, HANDLE>& HeldLocks() {
  static std::map<std::string, HANDLE> held;
  return held;
}

}  // namespace

std::string StateFolder() {
  const char* local = std::getenv("LOCALAPPDATA");
  if (local != nullptr && local[0] != '\0') {
    return std::string(local) + "\\pixed";
  }
  const char* profile = std::getenv("USERPROFILE");
  if (profile != nullptr && profile[0] != '\0') {
    return std::string(profile) + "\\AppData\\Local\\pixed";
  }
  return {};
}

std::string WorkingFolderPath() {
  char path[MAX_PATH + 1] = {};
  const DWORD length = ::GetCurrentDirectoryA(sizeof path, path);
  return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
}

// Held open without sharing the right to write: a second program's open fails
// with a sharing violation until this process lets go or ends.
LockOutcome TakeFileLock(const std::string& path, int* error) {
  int unused = 0;
  int& failure = error != nullptr ? *error : unused;
  failure = 0;
  failure = MakeFolders(FolderOf(path));
  if (failure != 0) {
    return LockOutcome::Failed;
  }
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD reason = ::GetLastError();
    if (reason == ERROR_SHARING_VIOLATION || reason == ERROR_LOCK_VIOLATION) {
      return LockOutcome::HeldElsewhere;
    }
    failure = ErrnoOf(reason);
    return LockOutcome::Failed;
  }
  // Who holds it, for a person who looks; nothing reads it back.
  const std::string pid = std::to_string(::GetCurrentProcessId()) + "\r\n";
  DWORD written = 0;
  ::SetEndOfFile(file);
  ::WriteFile(file, pid.data(), static_cast<DWORD>(pid.size()), &written, nullptr);
  ReleaseFileLock(path);
  HeldLocks()[path] = file;
  return LockOutcome::Taken;
}

void ReleaseFileLock(const std::string& path) {
  const auto held = HeldLocks().find(path);
  if (held != HeldLocks().end()) {
    ::CloseHandle(held->second);
    HeldLocks().erase(held);
  }
}

bool RenameFile(const std::string& from, const std::string& to, int* error) {
  int unused = 0;
  int& failure = error != nullptr ? *error : unused;
  // Without MOVEFILE_REPLACE_EXISTING an existing file is never replaced:
  // the system refuses it in the move itself (ERROR_ALREADY_EXISTS).
  if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH) == FALSE) {
    failure = ErrnoOf(::GetLastError());
    return false;
  }
  failure = 0;
  return true;
}

void QueueFileReplace(const std::string& path, std::vector<std::uint8_t> bytes, FileBytesFinisher finish) {
  soft::FileJob job;
  job.path = path;
  job.bytes = std::move(bytes);
  job.finish = finish;
  Queue().Add(std::move(job));
}

void QueueFileRemove(const std::string& path, FileMark markIfKept) {
  soft::FileJob job;
  job.kind = soft::FileJob::Kind::Remove;
  job.path = path;
  job.mark = std::move(markIfKept);
  Queue().Add(std::move(job));
}

QueuedFileProgress QueuedFiles() {
  return Queue().Progress();
}

void FinishQueuedFiles() {
  Queue().Finish();
}

}  // namespace plat
