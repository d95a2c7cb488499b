// The win32 backend's GDI: the editor's drawing calls on the real device contexts and objects.
//
// Not here: CreateSurfaceDC and DestroySurfaceDC, which only the software
// surfaces use; the real surfaces hand out their own device contexts.
// LoadImageA: win32_bitmaps.cpp.

#include <algorithm>
#include <vector>

#include "../gdi.h"
// After the plat headers (see there).
#include "win32_bitmaps.h"

namespace plat {
namespace {

// PALETTEINDEX(i) means the surface's palette entry i, as on the other
// platforms. The real GDI would take entry i of the context's logical palette,
// which on a surface is the system's default one (its entry 15 is yellow,
// where the editor means the surface's white). The colour table of the
// surface's bitmap, or else the system palette the surface's palette is set
// into, gives the entry's colour.
COLORREF SurfaceColour(::HDC dc, COLORREF colour) {
  if ((colour >> 24) != 1) {
    return colour;
  }
  const UINT index = (colour & 0xFFFFu) > 255 ? 255 : (colour & 0xFFFFu);
  RGBQUAD entry = {};
  if (::GetDIBColorTable(dc, index, 1, &entry) == 1) {
    return RGB(entry.rgbRed, entry.rgbGreen, entry.rgbBlue);
  }
  ::PALETTEENTRY system = {};
  if (::GetSystemPaletteEntries(dc, index, 1, &system) == 1) {
    return RGB(system.peRed, system.peGreen, system.peBlue);
  }
  return colour;
}

::HDC Real(HDC dc) {
  return win32::ToReal<::HDC>(dc);
}

::HGDIOBJ Real(HGDIOBJ object) {
  return win32::ToReal<::HGDIOBJ>(object);
}

}  // namespace

HPEN CreatePen(int style, int width, COLORREF colour) {
  return win32::ToPlat<HPEN>(::CreatePen(style, width, colour));
}

HBRUSH CreateSolidBrush(COLORREF colour) {
  return win32::ToPlat<HBRUSH>(::CreateSolidBrush(colour));
}

HGDIOBJ GetStockObject(int which) {
  return win32::ToPlat<HGDIOBJ>(::GetStockObject(which));
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  return win32::ToPlat<HGDIOBJ>(::SelectObject(Real(dc), Real(object)));
}

// The bitmaps LoadImageA keeps are deleted when their file changes, not by the editor.
bool DeleteObject(HGDIOBJ object) {
  if (win32::IsKeptBitmap(Real(object))) {
    return true;
  }
  return ::DeleteObject(Real(object)) != FALSE;
}

bool Rectangle(HDC dc, int left, int top, int right, int bottom) {
  return ::Rectangle(Real(dc), left, top, right, bottom) != FALSE;
}

bool Polyline(HDC dc, const POINT* points, int count) {
  if (points == nullptr || count < 2) {
    return false;
  }
  // The editor's outlines have a handful of points; longer lines go in pieces
  // that share their joints.
  constexpr int kPiece = 16;
  ::POINT real[kPiece];
  int start = 0;
  do {
    const int length = count - start < kPiece ? count - start : kPiece;
    for (int i = 0; i < length; ++i) {
      real[i] = {points[start + i].x, points[start + i].y};
    }
    if (::Polyline(Real(dc), real, length) == FALSE) {
      return false;
    }
    start += length - 1;
  } while (start < count - 1);
  return true;
}

bool MoveToEx(HDC dc, int x, int y, POINT* previous) {
  ::POINT real = {};
  const bool moved = ::MoveToEx(Real(dc), x, y, &real) != FALSE;
  if (moved && previous != nullptr) {
    *previous = {real.x, real.y};
  }
  return moved;
}

bool LineTo(HDC dc, int x, int y) {
  return ::LineTo(Real(dc), x, y) != FALSE;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour) {
  return ::SetPixel(Real(dc), x, y, SurfaceColour(Real(dc), colour));
}

COLORREF GetPixel(HDC dc, int x, int y) {
  return ::GetPixel(Real(dc), x, y);
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
  return ::SetTextColor(Real(dc), SurfaceColour(Real(dc), colour));
}

COLORREF SetBkColor(HDC dc, COLORREF colour) {
  return ::SetBkColor(Real(dc), SurfaceColour(Real(dc), colour));
}

int SetBkMode(HDC dc, int mode) {
  return ::SetBkMode(Real(dc), mode);
}

bool TextOutA(HDC dc, int x, int y, const char* text, int length) {
  return ::TextOutA(Real(dc), x, y, text, length) != FALSE;
}

// The editor makes a memory device context for every bitmap it draws, seven a pass; making one
// costs more than the drawing under Wine. So the screen-compatible ones are kept for the next
// call, each put back as new (its first saved state) when the editor deletes it.
namespace {

struct MemoryDCs {
  std::vector<::HDC> made;  // every one made here and not yet deleted for good
  std::vector<::HDC> free;
};

MemoryDCs& KeptDCs() {
  static MemoryDCs dcs;
  return dcs;
}

constexpr std::size_t kKeptDCs = 4;

}  // namespace

HDC CreateCompatibleDC(HDC reference) {
  if (reference != nullptr) {
    return win32::ToPlat<HDC>(::CreateCompatibleDC(Real(reference)));
  }
  MemoryDCs& dcs = KeptDCs();
  if (!dcs.free.empty()) {
    const ::HDC dc = dcs.free.back();
    dcs.free.pop_back();
    return win32::ToPlat<HDC>(dc);
  }
  const ::HDC dc = ::CreateCompatibleDC(nullptr);
  if (dc != nullptr && ::SaveDC(dc) != 0) {
    dcs.made.push_back(dc);
  }
  return win32::ToPlat<HDC>(dc);
}

bool DeleteDC(HDC dc) {
  MemoryDCs& dcs = KeptDCs();
  const auto made = std::find(dcs.made.begin(), dcs.made.end(), Real(dc));
  if (made != dcs.made.end() && dcs.free.size() < kKeptDCs && ::RestoreDC(Real(dc), 1) != FALSE &&
      ::SaveDC(Real(dc)) != 0) {
    dcs.free.push_back(Real(dc));
    return true;
  }
  if (made != dcs.made.end()) {
    dcs.made.erase(made);
  }
  return ::DeleteDC(Real(dc)) != FALSE;
}

int GetObjectA(HGDIOBJ object, int size, void* out) {
  ::BITMAP real = {};
  if (out == nullptr || size < static_cast<int>(sizeof(BITMAP)) ||
      ::GetObjectType(Real(object)) != OBJ_BITMAP || ::GetObjectA(Real(object), sizeof real, &real) == 0) {
    return 0;
  }
  BITMAP* description = static_cast<BITMAP*>(out);
  description->bmType = real.bmType;
  description->bmWidth = real.bmWidth;
  description->bmHeight = real.bmHeight;
  description->bmWidthBytes = real.bmWidthBytes;
  description->bmPlanes = real.bmPlanes;
  description->bmBitsPixel = real.bmBitsPixel;
  description->bmBits = real.bmBits;
  return sizeof(BITMAP);
}

bool BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
            std::uint32_t rop) {
  return ::BitBlt(Real(destination), x, y, width, height, Real(source), sourceX, sourceY, rop) != FALSE;
}

}  // namespace plat
