// LoadImageA over the real one. The editor reads every button bitmap again on every pass; under
// Wine a file's read and decoding cost more than the rest of the pass. So a bitmap decoded from
// a file of the working folder is kept by the rule of every backend (soft/kept_bitmaps.h), with
// the folder's change notification as its reports.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "../gdi.h"
#include "../soft/kept_bitmaps.h"
// After the plat headers (see there).
#include "win32_bitmaps.h"
#include "win32_desktop.h"

namespace plat {
namespace {

// The largest bitmap side taken, as on the other platforms: a tiny run-length
// file can claim a huge bitmap, which would be made anew on every pass.
constexpr long kLargestSide = 4096;

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

// Signalled when a file of the working folder changes; changes counts the signals.
struct FolderWatch {
  ::HANDLE handle = INVALID_HANDLE_VALUE;
  bool made = false;
  std::uint64_t changes = 1;
};

// The count of the working folder's changes so far; 0 when they cannot be watched.
std::uint64_t FolderChanges(FolderWatch& watch) {
  if (!watch.made) {
    watch.made = true;
    watch.handle = ::FindFirstChangeNotificationA(
        ".", FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE);
  }
  if (watch.handle == INVALID_HANDLE_VALUE) {
    return 0;
  }
  if (::WaitForSingleObject(watch.handle, 0) == WAIT_OBJECT_0) {
    ++watch.changes;
    ::FindNextChangeNotification(watch.handle);
  }
  return watch.changes;
}

// Only a bare name lies in the watched folder.
bool InWorkingFolder(const char* name) {
  return std::strpbrk(name, "\\/:") == nullptr;
}

FolderWatch& WorkingFolder() {
  static FolderWatch watch;
  return watch;
}

soft::KeptBitmaps<::HBITMAP>& Kept() {
  static soft::KeptBitmaps<::HBITMAP> kept([](::HBITMAP& bitmap) { ::DeleteObject(bitmap); });
  return kept;
}

std::uint64_t Pixels(::HBITMAP bitmap) {
  ::BITMAP description = {};
  if (::GetObjectA(bitmap, sizeof description, &description) == 0) {
    return ~std::uint64_t{0};
  }
  return static_cast<std::uint64_t>(description.bmWidth) * static_cast<std::uint64_t>(description.bmHeight);
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
  // Only a bare name lies in the watched folder: a path is read every time.
  if (!InWorkingFolder(name)) {
    return win32::ToPlat<HBITMAP>(LoadFresh(instance, name, type, width, height, flags));
  }
  soft::KeptBitmaps<::HBITMAP>& kept = Kept();
  if (const ::HBITMAP* known = kept.Find(name, [] { return FolderChanges(WorkingFolder()); })) {
    return win32::ToPlat<HBITMAP>(*known);
  }
  ::HBITMAP bitmap = LoadFresh(instance, name, type, width, height, flags);
  const std::uint64_t pixels = bitmap != nullptr ? Pixels(bitmap) : 0;
  if (bitmap != nullptr && kept.Keeps(pixels)) {
    bitmap = InScreenColours(bitmap);
    kept.Keep(name, bitmap, pixels);
  }
  return win32::ToPlat<HBITMAP>(bitmap);
}

namespace win32 {

bool IsKeptBitmap(::HGDIOBJ object) {
  return Kept().Holds(static_cast<::HBITMAP>(object));
}

void ForgetKeptBitmaps() {
  Kept().Clear();
}

}  // namespace win32
}  // namespace plat
