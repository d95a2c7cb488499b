// Bitmap files by name without regard to case, and the program's own bitmap folder.
#include "file_lookup.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "../system.h"

namespace plat {

namespace {

std::string fallbackFolder;

// A descriptor of a regular file, or -1 with the reason in *error. Opened
// without blocking, so a FIFO in the way is refused at once.
int OpenRegularFile(const std::string& path, int* error) {
  const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (file < 0) {
    *error = errno;
    return -1;
  }
  struct stat info;
  if (fstat(file, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(file);
    *error = EINVAL;
    return -1;
  }
  return file;
}

bool SameIgnoringCase(const char* a, const std::string& b) {
  std::size_t i = 0;
  for (; a[i] != '\0' && i < b.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) {
      return false;
    }
  }
  return a[i] == '\0' && i == b.size();
}

// The entry of folder whose name differs from name only in case; the first
// in byte order when there are several, so the choice never changes by chance.
std::string MatchIgnoringCase(const std::string& folder, const std::string& name) {
  DIR* listing = opendir(folder.empty() ? "." : folder.c_str());
  if (listing == nullptr) {
    return {};
  }
  std::string match;
  while (const dirent* entry = readdir(listing)) {
    if (SameIgnoringCase(entry->d_name, name) && (match.empty() || match > entry->d_name)) {
      match = entry->d_name;
    }
  }
  closedir(listing);
  return match;
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder.empty() ? name : folder + "/" + name;
}

// The file name in folder ("" for the working folder), exactly or case
// aside. *found tells whether the folder holds such a name at all.
int OpenInFolder(const std::string& folder, const std::string& name, bool* found) {
  int error = 0;
  int file = OpenRegularFile(Join(folder, name), &error);
  *found = file >= 0 || error != ENOENT;
  if (*found) {
    return file;
  }
  const std::string match = MatchIgnoringCase(folder, name);
  if (match.empty()) {
    return -1;
  }
  *found = true;
  return OpenRegularFile(Join(folder, match), &error);
}

}  // namespace

void SetBitmapFolder(const char* folder) {
  fallbackFolder = folder != nullptr ? folder : "";
}

std::string ProgramBitmapFolder() {
  char path[4096];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) {
    return {};
  }
  std::string program(path, static_cast<std::size_t>(length));
  const std::string programFolder = program.substr(0, program.rfind('/') + 1);
  for (const char* candidate : {"../share/pixed", "bitmaps"}) {
    const std::string folder = programFolder + candidate;
    struct stat info;
    if (stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
      return folder;
    }
  }
  return {};
}

namespace soft {

int OpenBitmapFile(const char* name) {
  if (name == nullptr || *name == '\0') {
    return -1;
  }
  const std::string path = name;
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash == 0 ? 1 : slash);
  const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  if (base.empty()) {
    return -1;
  }
  bool found = false;
  const int file = OpenInFolder(folder, base, &found);
  if (found || slash != std::string::npos || fallbackFolder.empty()) {
    return file;
  }
  return OpenInFolder(fallbackFolder, base, &found);
}

}  // namespace soft

}  // namespace plat
