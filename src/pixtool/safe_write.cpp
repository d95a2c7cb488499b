// Temporary file, flush, rename: the replaced file is either the old one or
// the complete new one, never a part.
#include "pixtool/safe_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "pixtool/stream_write.h"

namespace pixtool {

namespace {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path ends at, through any symbolic links; the path itself when
// nothing is there yet. False for a link that leads nowhere.
bool ResolveTarget(const std::string& path, std::string& target, std::string& error) {
  struct stat link {};
  if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
    target = path;
    return true;
  }
  std::vector<char> resolved(PATH_MAX + 1);
  if (realpath(path.c_str(), resolved.data()) == nullptr) {
    error = CannotWrite(path, errno) + " (a link to a missing file)";
    return false;
  }
  target = resolved.data();
  return true;
}

mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool WriteFileSafely(const std::string& path, const WriteBody& body, std::string& error) {
  std::string target;
  if (!ResolveTarget(path, target, error)) {
    return false;
  }
  struct stat old {};
  const bool exists = stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) {
    error = CannotWrite(path, errno);
    return false;
  }
  if (exists && S_ISDIR(old.st_mode)) {
    error = CannotWrite(path, EISDIR);
    return false;
  }
  if (exists && !S_ISREG(old.st_mode)) {
    return WriteInPlace(target, body, error);
  }

  // Hidden, and short enough for any file system however long the name is.
  std::string temporary = FolderOf(target) + "/." + NameOf(target).substr(0, 64) + ".pixtool-XXXXXX";
  const int descriptor = mkstemp(temporary.data());
  if (descriptor < 0) {
    error = CannotWrite(path, errno) + " (no temporary file beside it)";
    return false;
  }
  std::FILE* stream = fdopen(descriptor, "wb");
  if (stream == nullptr) {
    error = CannotWrite(path, errno);
    close(descriptor);
    unlink(temporary.c_str());
    return false;
  }
  errno = 0;
  bool ok = body(stream, error);
  // A write the system refused says more than the writer's own message.
  int failure = !ok && std::ferror(stream) != 0 ? errno : 0;
  if (ok && (std::fflush(stream) != 0 || std::ferror(stream) != 0 || fsync(descriptor) != 0)) {
    failure = errno != 0 ? errno : EIO;
    ok = false;
  }
  if (ok && fchmod(descriptor, exists ? (old.st_mode & 07777) : NewFileMode()) != 0) {
    failure = errno != 0 ? errno : EIO;
    ok = false;
  }
  if (ok && exists && (old.st_uid != geteuid() || old.st_gid != getegid())) {
    // Only root may give the file back to its owner; anyone else makes it their own, as an editor does.
    (void)!fchown(descriptor, old.st_uid, old.st_gid);
  }
  if (std::fclose(stream) != 0 && ok) {
    failure = errno != 0 ? errno : EIO;
    ok = false;
  }
  if (ok && rename(temporary.c_str(), target.c_str()) != 0) {
    failure = errno != 0 ? errno : EIO;
    ok = false;
  }
  if (!ok) {
    unlink(temporary.c_str());
    if (failure != 0) {
      error = CannotWrite(path, failure);
    }
    return false;
  }
  // The rename itself reaches the disk with the folder.
  const int folder = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY);
  if (folder >= 0) {
    fsync(folder);
    close(folder);
  }
  return true;
}

bool WriteStandardOutput(const WriteBody& body, std::string& error) {
  return WriteStandardOutputStream(body, error);
}

}  // namespace pixtool
