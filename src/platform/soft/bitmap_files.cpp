// Bitmap files for LoadImageA: read and decoded, and kept while their folders report no change.
#include "bitmap_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "file_lookup.h"
#include "folder_watch.h"
#include "gdi_bmp_decode.h"
#include "gdi_counts.h"
#include "kept_bitmaps.h"

namespace plat::soft {

namespace {

// Files up to this size come in with a single read into a buffer kept for
// the next call (the buffer, never the bitmap, outlives the call).
constexpr std::size_t kScratchBytes = 64 * 1024;
// The largest file taken: what the largest bitmap decoded can need.
constexpr std::size_t kMaxFileBytes = kMaxBitmapFileBytes;

std::size_t filesRead = 0;

KeptBitmaps<BitmapPixels>& Kept() {
  static KeptBitmaps<BitmapPixels> kept([](BitmapPixels& /*pixels*/) {});
  return kept;
}

bool ReadAll(int file, std::uint8_t* into, std::size_t bytes) {
  while (bytes > 0) {
    const ssize_t got = read(file, into, bytes);
    if (got <= 0) {
      return false;
    }
    into += got;
    bytes -= static_cast<std::size_t>(got);
  }
  return true;
}

// The whole of the file open as file, or false.
bool ReadWholeFile(int file, std::vector<std::uint8_t>* large, const std::uint8_t** data, std::size_t* size) {
  static std::vector<std::uint8_t> scratch(kScratchBytes);
  const ssize_t got = read(file, scratch.data(), scratch.size());
  if (got >= 0 && static_cast<std::size_t>(got) < scratch.size()) {
    *data = scratch.data();
    *size = static_cast<std::size_t>(got);
    return true;
  }
  if (got <= 0) {
    return false;
  }
  // The buffer is full: only a regular file of known size goes on.
  struct stat info;
  const bool regular = fstat(file, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0;
  const std::size_t total = regular ? static_cast<std::size_t>(info.st_size) : 0;
  if (!regular || total < scratch.size() || total > kMaxFileBytes) {
    return false;
  }
  *size = total;
  if (total == scratch.size()) {
    *data = scratch.data();
    return true;
  }
  large->resize(total);
  std::copy(scratch.begin(), scratch.end(), large->begin());
  *data = large->data();
  return ReadAll(file, large->data() + scratch.size(), total - scratch.size());
}

// The file's pixels; *reported tells whether a change to it shows in its folders' reports.
bool ReadBitmapFile(const char* name, BitmapPixels* pixels, bool* reported) {
  const int file = OpenBitmapFile(name, reported);
  if (file < 0) {
    return false;
  }
  ++filesRead;
  std::vector<std::uint8_t> large;
  const std::uint8_t* data = nullptr;
  std::size_t size = 0;
  const bool read = ReadWholeFile(file, &large, &data, &size);
  close(file);
  return read && DecodeBmp(data, size, pixels);
}

}  // namespace

bool LoadBitmapFile(const char* name, BitmapPixels* pixels) {
  // Only the working folder and the fallback folder are watched: a path is read every time.
  const bool bare = std::strchr(name, '/') == nullptr;
  KeptBitmaps<BitmapPixels>& kept = Kept();
  if (bare) {
    const BitmapPixels* known = kept.Find(name, [] { return BitmapFolderChanges(BitmapFolder()); });
    if (known != nullptr) {
      *pixels = *known;
      return true;
    }
  }
  bool reported = false;
  if (!ReadBitmapFile(name, pixels, &reported)) {
    return false;
  }
  if (bare && reported) {
    kept.Keep(name, *pixels,
              static_cast<std::uint64_t>(pixels->width) * static_cast<std::uint64_t>(pixels->height));
  }
  return true;
}

void ForgetKeptBitmaps() {
  Kept().Clear();
  StopWatchingBitmapFolders();
}

std::size_t BitmapFilesRead() {
  return filesRead;
}

}  // namespace plat::soft
