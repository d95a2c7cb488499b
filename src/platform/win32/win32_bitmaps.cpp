// LoadImageA over the real one. The editor reads every button bitmap again on every pass; under
// Wine a file's read and decoding cost more than the rest of the pass. So a bitmap decoded from
// a file is kept and handed out again for as long as the file keeps its size and time of last
// writing: a file replaced on disk still shows at the next call. The file is looked at again
// only once the working folder reports a change (or always, when it cannot).
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "../gdi.h"
// After the plat headers (see there).
#include "win32_bitmaps.h"
#include "win32_desktop.h"

namespace plat {
namespace {

// The largest bitmap side taken, as on the other platforms: a tiny run-length
// file can claim a huge bitmap, which would be made anew on every pass.
constexpr long kLargestSide = 4096;
// Kept bitmaps: the editor draws twenty; a bitmap of more pixels than the screen is read each time.
constexpr std::size_t kKeptCount = 32;
constexpr long long kKeptPixels = 800 * 600;

long LittleEndian(const unsigned char* bytes, int count) {
  unsigned long value = 0;
  for (int i = count - 1; i >= 0; --i) {
    value = (value << 8) | bytes[i];
  }
  return static_cast<long>(value);
}

// True when the file is a bitmap claiming more than the largest side; the
// system loader judges everything else.
bool ClaimsTooLarge(const char* name) {
  std::FILE* file = std::fopen(name, "rb");
  if (file == nullptr) {
    return false;
  }
  unsigned char header[26] = {};
  const std::size_t got = std::fread(header, 1, sizeof header, file);
  std::fclose(file);
  if (got < 22 || header[0] != 'B' || header[1] != 'M') {
    return false;
  }
  long width = 0;
  long height = 0;
  if (LittleEndian(header + 14, 4) == 12) {  // the old core header: 16-bit sides
    width = LittleEndian(header + 18, 2);
    height = LittleEndian(header + 20, 2);
  } else if (got == sizeof header) {
    width = static_cast<std::int32_t>(LittleEndian(header + 18, 4));
    height = static_cast<std::int32_t>(LittleEndian(header + 22, 4));
  }
  const auto side = [](long value) { return value < 0 ? -value : value; };
  return side(width) > kLargestSide || side(height) > kLargestSide;
}

::HBITMAP LoadFresh(HINSTANCE instance, const char* name, std::uint32_t type, int width, int height,
                    std::uint32_t flags) {
  if ((flags & LR_LOADFROMFILE) != 0 && ClaimsTooLarge(name)) {
    return nullptr;
  }
  return static_cast<::HBITMAP>(
      ::LoadImageA(win32::ToReal<::HINSTANCE>(instance), name, type, width, height, flags));
}

struct Kept {
  std::string name;
  ::FILETIME written;
  std::uint64_t size;
  ::HBITMAP bitmap;
  std::uint64_t lastUse;
  // The folder's changes counted when the file was last looked at.
  std::uint64_t seenAt;
};

struct KeptBitmaps {
  std::vector<Kept> entries;
  std::uint64_t clock = 0;
  // Signalled when a file of the working folder changes; changes counts the signals.
  ::HANDLE watch = INVALID_HANDLE_VALUE;
  bool watchMade = false;
  std::uint64_t changes = 1;
  std::uint64_t lookedAt = 0;
};

// The count of the working folder's changes so far; 0 when they cannot be watched.
std::uint64_t FolderChanges(KeptBitmaps& bitmaps) {
  if (!bitmaps.watchMade) {
    bitmaps.watchMade = true;
    bitmaps.watch = ::FindFirstChangeNotificationA(
        ".", FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
  }
  if (bitmaps.watch == INVALID_HANDLE_VALUE) {
    return 0;
  }
  // Once a millisecond at most: the seven bitmaps of a pass share one look.
  const std::uint64_t now = ::GetTickCount64();
  if (now != bitmaps.lookedAt && ::WaitForSingleObject(bitmaps.watch, 0) == WAIT_OBJECT_0) {
    ++bitmaps.changes;
    ::FindNextChangeNotification(bitmaps.watch);
  }
  bitmaps.lookedAt = now;
  return bitmaps.changes;
}

// Only a bare name lies in the watched folder.
bool InWorkingFolder(const char* name) {
  return std::strpbrk(name, "\\/:") == nullptr;
}

KeptBitmaps& Bitmaps() {
  static KeptBitmaps bitmaps;
  return bitmaps;
}

void Forget(std::vector<Kept>& entries, std::size_t at) {
  ::DeleteObject(entries[at].bitmap);
  entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(at));
}

bool Small(::HBITMAP bitmap) {
  ::BITMAP description = {};
  return ::GetObjectA(bitmap, sizeof description, &description) != 0 &&
         static_cast<long long>(description.bmWidth) * description.bmHeight <= kKeptPixels;
}

// The bitmap in the screen's own colours (on the desktop): drawing it on the screen is then a
// copy of its indices, where each draw would otherwise match every pixel's colour to the
// palette anew. The match is GDI's either way, so the screen shows the same indices.
::HBITMAP InScreenColours(::HBITMAP bitmap) {
  struct {
    ::BITMAPINFOHEADER header;
    ::RGBQUAD colours[256];
  } info = {};
  ::BITMAP description = {};
  if (win32::Exclusive() || !win32::ScreenColours(info.colours) ||
      ::GetObjectA(bitmap, sizeof description, &description) == 0) {
    return bitmap;
  }
  info.header.biSize = sizeof info.header;
  info.header.biWidth = description.bmWidth;
  info.header.biHeight = -description.bmHeight;
  info.header.biPlanes = 1;
  info.header.biBitCount = 8;
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = 256;
  void* bits = nullptr;
  const ::HBITMAP converted =
      ::CreateDIBSection(nullptr, reinterpret_cast<::BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
  const ::HDC from = ::CreateCompatibleDC(nullptr);
  const ::HDC to = ::CreateCompatibleDC(nullptr);
  bool copied = false;
  if (converted != nullptr && from != nullptr && to != nullptr) {
    const ::HGDIOBJ oldFrom = ::SelectObject(from, bitmap);
    const ::HGDIOBJ oldTo = ::SelectObject(to, converted);
    copied = ::BitBlt(to, 0, 0, description.bmWidth, description.bmHeight, from, 0, 0, SRCCOPY) != FALSE;
    ::SelectObject(from, oldFrom);
    ::SelectObject(to, oldTo);
  }
  if (from != nullptr) {
    ::DeleteDC(from);
  }
  if (to != nullptr) {
    ::DeleteDC(to);
  }
  if (!copied) {
    if (converted != nullptr) {
      ::DeleteObject(converted);
    }
    return bitmap;
  }
  ::DeleteObject(bitmap);
  return converted;
}

}  // namespace

HBITMAP LoadImageA(HINSTANCE instance, const char* name, std::uint32_t type, int width, int height,
                   std::uint32_t flags) {
  if (name == nullptr) {
    return nullptr;
  }
  if ((flags & LR_LOADFROMFILE) == 0 || type != IMAGE_BITMAP) {
    return win32::ToPlat<HBITMAP>(LoadFresh(instance, name, type, width, height, flags));
  }
  KeptBitmaps& bitmaps = Bitmaps();
  std::vector<Kept>& entries = bitmaps.entries;
  std::size_t at = 0;
  while (at < entries.size() && entries[at].name != name) {
    ++at;
  }
  const bool known = at < entries.size();
  const std::uint64_t changes = InWorkingFolder(name) ? FolderChanges(bitmaps) : 0;
  if (known && changes != 0 && entries[at].seenAt == changes) {
    entries[at].lastUse = ++bitmaps.clock;
    return win32::ToPlat<HBITMAP>(entries[at].bitmap);
  }
  ::WIN32_FILE_ATTRIBUTE_DATA file = {};
  const bool found = ::GetFileAttributesExA(name, GetFileExInfoStandard, &file) != FALSE &&
                     (file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  const std::uint64_t size = (std::uint64_t{file.nFileSizeHigh} << 32) | file.nFileSizeLow;
  if (known && found && entries[at].size == size &&
      ::CompareFileTime(&entries[at].written, &file.ftLastWriteTime) == 0) {
    entries[at].lastUse = ++bitmaps.clock;
    entries[at].seenAt = changes;
    return win32::ToPlat<HBITMAP>(entries[at].bitmap);
  }
  if (known) {
    Forget(entries, at);
  }
  ::HBITMAP bitmap = LoadFresh(instance, name, type, width, height, flags);
  if (bitmap == nullptr || !found || !Small(bitmap)) {
    return win32::ToPlat<HBITMAP>(bitmap);
  }
  bitmap = InScreenColours(bitmap);
  if (entries.size() == kKeptCount) {
    std::size_t oldest = 0;
    for (std::size_t i = 1; i < entries.size(); ++i) {
      oldest = entries[i].lastUse < entries[oldest].lastUse ? i : oldest;
    }
    Forget(entries, oldest);
  }
  entries.push_back(Kept{name, file.ftLastWriteTime, size, bitmap, ++bitmaps.clock, changes});
  return win32::ToPlat<HBITMAP>(bitmap);
}

namespace win32 {

bool IsKeptBitmap(::HGDIOBJ object) {
  for (const Kept& kept : Bitmaps().entries) {
    if (kept.bitmap == object) {
      return true;
    }
  }
  return false;
}

}  // namespace win32
}  // namespace plat
