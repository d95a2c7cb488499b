// The program's own files outside the working folder, on a POSIX file system:
// the state folder, whole-file replaces off the editor's thread, locks.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "../system.h"
#include "backend.h"
#include "file_queue.h"

namespace plat {
namespace {

bool InStateFolder(const std::string& path) {
  const std::string folder = backend::StateFolder();
  return !folder.empty() && path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
         path[folder.size()] == '/';
}

int FaultFor(const std::string& path, backend::StateFileWork work) {
  return InStateFolder(path) ? backend::StateFolderFault(work) : 0;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".")
                                    : (slash == 0 ? std::string("/") : path.substr(0, slash));
}

// mkdir -p, private to the user: the copies are their unsaved work. 0, or
// the errno value of what failed (ENOTDIR for a file where a folder should be).
int MakeFolders(const std::string& folder) {
  if (folder.empty()) {
    return 0;
  }
  struct stat status {};
  if (stat(folder.c_str(), &status) == 0) {
    return S_ISDIR(status.st_mode) ? 0 : ENOTDIR;
  }
  const std::string parent = FolderOf(folder);
  if (parent != folder) {
    const int error = MakeFolders(parent);
    if (error != 0) {
      return error;
    }
  }
  return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST ? 0 : errno;
}

int WriteAll(int fd, const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return written < 0 ? errno : EIO;
    }
    done += static_cast<std::size_t>(written);
  }
  return 0;
}

int ReplaceWhole(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const int folderError = MakeFolders(FolderOf(path));
  if (folderError != 0) {
    return folderError;
  }
  const std::string temporary = path + ".new";
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    return errno;
  }
  int error = WriteAll(fd, bytes);
  if (error == 0 && fsync(fd) != 0) {
    error = errno;
  }
  if (close(fd) != 0 && error == 0) {
    error = errno;
  }
  if (error == 0 && rename(temporary.c_str(), path.c_str()) != 0) {
    error = errno;
  }
  if (error != 0) {
    unlink(temporary.c_str());
    return error;
  }
  // The rename is on the disk once the folder is.
  const int folder = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return 0;
}

int RunJob(const soft::FileJob& job) {
  if (job.kind == soft::FileJob::Kind::Remove) {
    return unlink(job.path.c_str()) == 0 || errno == ENOENT ? 0 : errno;
  }
  return ReplaceWhole(job.path, job.bytes);
}

// A file in a folder the user may no longer change can still be written.
int MarkInPlace(const std::string& path, const FileMark& mark) {
  // Never blocks on a FIFO, never follows a link.
  const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) {
    return errno;
  }
  struct stat status {};
  int error = fstat(fd, &status) != 0 ? errno : 0;
  if (error == 0 && (!S_ISREG(status.st_mode) || mark.fromEnd < mark.bytes.size() ||
                     static_cast<std::uint64_t>(status.st_size) < mark.fromEnd)) {
    error = EINVAL;
  }
  std::size_t done = 0;
  const off_t at = status.st_size - static_cast<off_t>(mark.fromEnd);
  while (error == 0 && done < mark.bytes.size()) {
    const ssize_t written =
        pwrite(fd, mark.bytes.data() + done, mark.bytes.size() - done, at + static_cast<off_t>(done));
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      error = written < 0 ? errno : EIO;
    }
    done += written > 0 ? static_cast<std::size_t>(written) : 0;
  }
  if (error == 0 && fsync(fd) != 0) {
    error = errno;
  }
  close(fd);
  return error;
}

soft::FileQueue& Queue() {
  static soft::FileQueue queue(RunJob, MarkInPlace);
  return queue;
}

// The open lock files by path: closing one gives its lock back.
std::map<std::string, int>& HeldLocks() {
  static std::map<std::string, int> held;
  return held;
}

}  // namespace

std::string StateFolder() {
  return backend::StateFolder();
}

std::string WorkingFolderPath() {
  char path[4096];
  return getcwd(path, sizeof path) != nullptr ? std::string(path) : std::string();
}

LockOutcome TakeFileLock(const std::string& path, int* error) {
  backend::Trace("TakeFileLock(" + path + ")");
  int unused = 0;
  int& failure = error != nullptr ? *error : unused;
  failure = FaultFor(path, backend::StateFileWork::Lock);
  if (failure != 0) {
    return LockOutcome::Failed;
  }
  failure = MakeFolders(FolderOf(path));
  if (failure != 0) {
    return LockOutcome::Failed;
  }
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    failure = errno;
    return LockOutcome::Failed;
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    failure = errno;
    close(fd);
    return failure == EWOULDBLOCK ? LockOutcome::HeldElsewhere : LockOutcome::Failed;
  }
  if (!backend::TakeSharedLock(path)) {
    close(fd);
    failure = EWOULDBLOCK;
    return LockOutcome::HeldElsewhere;
  }
  // Who holds it, for a person who looks; nothing reads it back.
  if (ftruncate(fd, 0) == 0) {
    const std::string pid = std::to_string(getpid()) + "\n";
    [[maybe_unused]] const ssize_t written = write(fd, pid.data(), pid.size());
  }
  ReleaseFileLock(path);
  HeldLocks()[path] = fd;
  return LockOutcome::Taken;
}

void ReleaseFileLock(const std::string& path) {
  const auto held = HeldLocks().find(path);
  if (held != HeldLocks().end()) {
    close(held->second);
    HeldLocks().erase(held);
  }
}

bool RenameFile(const std::string& from, const std::string& to, int* error) {
  backend::Trace("RenameFile(" + from + "," + to + ")");
  int unused = 0;
  int& failure = error != nullptr ? *error : unused;
  failure = FaultFor(from, backend::StateFileWork::Rename);
  if (failure != 0) {
    return false;
  }
#if defined(RENAME_NOREPLACE) && !defined(__EMSCRIPTEN__)
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
    return true;
  }
  if (errno != EINVAL && errno != ENOSYS) {
    failure = errno;
    return false;
  }
  // The file system cannot refuse to replace in the rename itself (some
  // network and FUSE ones): a test first, as where there is no renameat2.
#endif
  // The lock on the folder's copy keeps other editors of this folder out
  // between the test and the rename; the browser's tabs each have a file
  // system of their own.
  struct stat status {};
  if (lstat(to.c_str(), &status) == 0) {
    failure = EEXIST;
    return false;
  }
  if (rename(from.c_str(), to.c_str()) != 0) {
    failure = errno;
    return false;
  }
  return true;
}

void QueueFileReplace(const std::string& path, std::vector<std::uint8_t> bytes, FileBytesFinisher finish) {
  backend::Trace("QueueFileReplace(" + path + ")");
  soft::FileJob job;
  job.path = path;
  job.bytes = std::move(bytes);
  job.finish = finish;
  job.fault = FaultFor(path, backend::StateFileWork::Replace);
  Queue().Add(std::move(job));
}

void QueueFileRemove(const std::string& path, FileMark markIfKept) {
  backend::Trace("QueueFileRemove(" + path + ")");
  soft::FileJob job;
  job.kind = soft::FileJob::Kind::Remove;
  job.path = path;
  job.mark = std::move(markIfKept);
  job.fault = FaultFor(path, backend::StateFileWork::Remove);
  job.markFault = FaultFor(path, backend::StateFileWork::Mark);
  Queue().Add(std::move(job));
}

QueuedFileProgress QueuedFiles() {
  return Queue().Progress();
}

void FinishQueuedFiles() {
  Queue().Finish();
}

}  // namespace plat
