// Replacing a file whole: a temporary file beside it, flushed, then renamed over it.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "../system.h"
#include "backend.h"

namespace plat {
namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a name ends at through any symbolic links; the name itself when
// nothing is there yet. False (errno set) for a link that leads nowhere.
bool ResolveTarget(const std::string& name, std::string& target) {
  struct stat link {};
  if (lstat(name.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
    target = name;
    return true;
  }
  std::vector<char> resolved(PATH_MAX + 1);
  if (realpath(name.c_str(), resolved.data()) == nullptr) {
    return false;
  }
  target = resolved.data();
  return true;
}

// As the process's mask leaves a new file, but always readable and writable
// by its owner: the browser's C library reports a mask of 0777, which would
// make a saved file one that nobody can open.
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return (0666 & ~mask) | 0600;
}

// Fills, flushes and closes the temporary file; false with errno set.
bool WriteTemporary(int descriptor, const struct stat* old, const FileContent& write) {
  std::FILE* out = fdopen(descriptor, "wb");
  if (out == nullptr) {
    const int error = errno;
    close(descriptor);
    errno = error;
    return false;
  }
  errno = 0;
  bool ok = write(out);
  int error = ok ? 0 : (errno != 0 ? errno : EIO);
  if (ok && (std::fflush(out) != 0 || std::ferror(out) != 0 || fsync(descriptor) != 0)) {
    error = errno != 0 ? errno : EIO;
    ok = false;
  }
  if (ok && fchmod(descriptor, old != nullptr ? (old->st_mode & 07777) : NewFileMode()) != 0) {
    error = errno;
    ok = false;
  }
  if (ok && old != nullptr && (old->st_uid != geteuid() || old->st_gid != getegid())) {
    // Only root may give the file back to its owner; anyone else makes it theirs, as an editor does.
    (void)!fchown(descriptor, old->st_uid, old->st_gid);
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
  const std::string shownName = name != nullptr ? name : "(null)";
  const std::string call = "WriteWholeFile(" + shownName + ")";
  backend::Trace(call);
  if (backend::ShouldFail(call)) {
    errno = EACCES;
    return false;
  }
  if (name == nullptr || *name == '\0' || !write) {
    errno = EINVAL;
    return false;
  }
  std::string target;
  if (!ResolveTarget(name, target)) {
    return false;
  }
  struct stat old {};
  const bool exists = stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) {
    return false;
  }
  if (exists && !S_ISREG(old.st_mode)) {
    errno = S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
    return false;
  }
  // Hidden, and short enough for any file system however long the name is.
  std::string temporary = FolderOf(target) + "/." + BaseName(target).substr(0, 64) + ".pixed-XXXXXX";
  const int descriptor = mkstemp(temporary.data());
  if (descriptor < 0) {
    return false;
  }
  if (!WriteTemporary(descriptor, exists ? &old : nullptr, write) ||
      rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    unlink(temporary.c_str());
    errno = error;
    return false;
  }
  // The rename itself reaches the disk with the folder.
  const int folder = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return true;
}

}  // namespace plat
