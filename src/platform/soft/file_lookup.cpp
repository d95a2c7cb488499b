// Bitmap files by name without regard to case, and the program's own bitmap folder.
#include "file_lookup.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "../system.h"
#include "bitmap_files.h"

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

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) {
      return false;
    }
  }
  return true;
}

// A folder's names, kept while the folder stays as it was: the editor looks
// for its missing buttons on every pass, and an art folder may be long.
struct Listing {
  dev_t device = 0;
  ino_t inode = 0;
  timespec modified = {};
  std::vector<std::string> names;
};
std::vector<Listing> listings;
constexpr std::size_t kMaxListings = 8;
// A change within one tick of the file system's clock leaves the folder's
// time as it was, so a listing is kept only once the folder has been quiet
// for longer than that.
constexpr time_t kQuietSeconds = 2;

// The names in folder, or null when it cannot be read.
const std::vector<std::string>* NamesIn(const std::string& folder, std::vector<std::string>* fresh) {
  struct stat info;
  const char* path = folder.empty() ? "." : folder.c_str();
  if (stat(path, &info) != 0 || !S_ISDIR(info.st_mode)) {
    return nullptr;
  }
  for (const Listing& listing : listings) {
    if (listing.device == info.st_dev && listing.inode == info.st_ino &&
        listing.modified.tv_sec == info.st_mtim.tv_sec && listing.modified.tv_nsec == info.st_mtim.tv_nsec) {
      return &listing.names;
    }
  }
  DIR* folderStream = opendir(path);
  if (folderStream == nullptr) {
    return nullptr;
  }
  fresh->clear();
  while (const dirent* entry = readdir(folderStream)) {
    fresh->emplace_back(entry->d_name);
  }
  closedir(folderStream);
  timespec now = {};
  clock_gettime(CLOCK_REALTIME, &now);
  if (now.tv_sec - info.st_mtim.tv_sec <= kQuietSeconds) {
    return fresh;
  }
  std::erase_if(listings,
                [&](const Listing& l) { return l.device == info.st_dev && l.inode == info.st_ino; });
  if (listings.size() >= kMaxListings) {
    listings.erase(listings.begin());
  }
  listings.push_back({info.st_dev, info.st_ino, info.st_mtim, std::move(*fresh)});
  return &listings.back().names;
}

// The entry of folder whose name differs from name only in case; the first
// in byte order when there are several, so the choice never changes by chance.
std::string MatchIgnoringCase(const std::string& folder, const std::string& name) {
  std::vector<std::string> fresh;
  const std::vector<std::string>* names = NamesIn(folder, &fresh);
  std::string match;
  if (names == nullptr) {
    return match;
  }
  for (const std::string& entry : *names) {
    if (SameIgnoringCase(entry, name) && (match.empty() || match > entry)) {
      match = entry;
    }
  }
  return match;
}

std::string Join(const std::string& folder, const std::string& name) {
  return folder.empty() ? name : folder + "/" + name;
}

// The file name in folder ("" for the working folder), exactly or case
// aside; *path is the path opened. *found tells whether the folder holds
// such a name at all.
int OpenInFolder(const std::string& folder, const std::string& name, bool* found, std::string* path) {
  int error = 0;
  *path = Join(folder, name);
  int file = OpenRegularFile(*path, &error);
  *found = file >= 0 || error != ENOENT;
  if (*found) {
    return file;
  }
  const std::string match = MatchIgnoringCase(folder, name);
  if (match.empty()) {
    return -1;
  }
  *found = true;
  *path = Join(folder, match);
  return OpenRegularFile(*path, &error);
}

// True when the file open as file is the folder's entry path itself, with no
// other name: a change to it then shows in the folder's reports, where one
// made through a link or through a second name in another folder does not.
bool OnlyNamedThere(int file, const std::string& path) {
  struct stat opened;
  struct stat named;
  return fstat(file, &opened) == 0 && lstat(path.c_str(), &named) == 0 && S_ISREG(named.st_mode) &&
         named.st_dev == opened.st_dev && named.st_ino == opened.st_ino && named.st_nlink == 1;
}

}  // namespace

void SetBitmapFolder(const char* folder) {
  fallbackFolder = folder != nullptr ? folder : "";
  soft::ForgetKeptBitmaps();
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

const std::string& BitmapFolder() {
  return fallbackFolder;
}

int OpenBitmapFile(const char* name, bool* reported) {
  if (reported != nullptr) {
    *reported = false;
  }
  if (name == nullptr || *name == '\0') {
    return -1;
  }
  const std::string asked = name;
  const std::size_t slash = asked.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : asked.substr(0, slash == 0 ? 1 : slash);
  const std::string base = slash == std::string::npos ? asked : asked.substr(slash + 1);
  if (base.empty()) {
    return -1;
  }
  bool found = false;
  std::string path;
  int file = OpenInFolder(folder, base, &found, &path);
  if (!found && slash == std::string::npos && !fallbackFolder.empty()) {
    file = OpenInFolder(fallbackFolder, base, &found, &path);
  }
  // Only the working folder and the fallback folder are watched.
  if (reported != nullptr && file >= 0 && slash == std::string::npos) {
    *reported = OnlyNamedThere(file, path);
  }
  return file;
}

}  // namespace soft

}  // namespace plat
