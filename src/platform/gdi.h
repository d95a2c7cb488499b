// GDI on 8-bit palettized surfaces: the drawing calls the editor makes on a device context.
//
// Rules kept here for every caller:
// - a line from MoveToEx to LineTo leaves out its end point; Polyline too,
//   for each of its segments but the last point;
// - Rectangle(l, t, r, b) covers l..r-1 and t..b-1: outline in the pen, inside
//   in the brush;
// - an RGB colour maps to the palette entry of exactly that colour (the lowest
//   such index), else to the nearest entry (squared RGB distance, ties to the
//   lowest index); PALETTEINDEX(i) is taken as i, and i above 255 as 255;
// - GetPixel returns the colour of the pixel's palette entry as an RGB value;
// - TextOutA draws one 8 x 16 glyph cell for every byte, opaque (text colour
//   on background colour, nothing between), without breaking lines;
// - every write is clipped to the surface: nothing lands outside it or wraps
//   into another row.
// The win32 backend leaves them to the real GDI, which keeps them, but for the
// text, which is in the system's font.
#pragma once

#include <cstdint>

#include "platform_types.h"

namespace plat {

class DeviceContext;
class GdiObject;
using HDC = DeviceContext*;
using HGDIOBJ = GdiObject*;
using HPEN = GdiObject*;
using HBRUSH = GdiObject*;
using HBITMAP = GdiObject*;

// The description GetObjectA gives of a bitmap.
struct BITMAP {
  std::int32_t bmType;
  std::int32_t bmWidth;
  std::int32_t bmHeight;
  std::int32_t bmWidthBytes;
  std::uint16_t bmPlanes;
  std::uint16_t bmBitsPixel;
  void* bmBits;
};

constexpr int kGlyphWidth = 8;
constexpr int kGlyphHeight = 16;

// Stock objects besides BLACK_BRUSH, numbered as on Windows. A new device
// context holds BLACK_PEN and WHITE_BRUSH, black text on white, OPAQUE.
constexpr int WHITE_BRUSH = 0;
constexpr int LTGRAY_BRUSH = 1;
constexpr int GRAY_BRUSH = 2;
constexpr int DKGRAY_BRUSH = 3;
constexpr int NULL_BRUSH = 5;
constexpr int WHITE_PEN = 6;
constexpr int BLACK_PEN = 7;
constexpr int NULL_PEN = 8;
// A pen that draws nothing; every other style draws solid, one pixel wide.
constexpr int PS_NULL = 5;

HPEN CreatePen(int style, int width, COLORREF colour);
HBRUSH CreateSolidBrush(COLORREF colour);
// Stock objects belong to the system: DeleteObject on them does nothing.
HGDIOBJ GetStockObject(int which);
// Returns the object of the same kind that was selected before, or null.
// A memory context starts with a stock one-pixel bitmap; a bitmap goes into
// one memory context at a time and never into a surface's context.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// False for an object still selected into a context, or one already deleted.
bool DeleteObject(HGDIOBJ object);

bool Rectangle(HDC dc, int left, int top, int right, int bottom);
bool Polyline(HDC dc, const POINT* points, int count);
bool MoveToEx(HDC dc, int x, int y, POINT* previous);
bool LineTo(HDC dc, int x, int y);
// Returns the colour set (as GetPixel would read it) or CLR_INVALID off the surface.
COLORREF SetPixel(HDC dc, int x, int y, COLORREF colour);
// CLR_INVALID off the surface. On a memory context: the selected bitmap's pixel.
COLORREF GetPixel(HDC dc, int x, int y);

COLORREF SetTextColor(HDC dc, COLORREF colour);
COLORREF SetBkColor(HDC dc, COLORREF colour);
int SetBkMode(HDC dc, int mode);
bool TextOutA(HDC dc, int x, int y, const char* text, int length);

// A memory device context holding a selected bitmap. reference is ignored.
// It is a BitBlt source and GetPixel reads it; nothing draws on it.
HDC CreateCompatibleDC(HDC reference);
// Memory contexts only; a surface's context goes back through DestroySurfaceDC.
bool DeleteDC(HDC dc);

// Loads a BMP file at its own size (type IMAGE_BITMAP, width and height 0,
// flags LR_LOADFROMFILE). Every form SDL2's BMP reader takes; anything it
// refuses gives null, as do bitmaps wider or taller than 4096 pixels or of
// more pixels than the screen (800 x 600), and files larger than such a
// bitmap needs. A bitmap decoded is kept and copied out again until its
// folder reports a change (soft/kept_bitmaps.h), so a file replaced, created
// or deleted shows at the next pass. instance is ignored.
HBITMAP LoadImageA(HINSTANCE instance, const char* name, std::uint32_t type, int width, int height,
                   std::uint32_t flags);
// Fills a BITMAP; returns bytes written, 0 on failure. size must reach
// bmBits (24 bytes, the record's size on the first platform); bmBits is null.
int GetObjectA(HGDIOBJ object, int size, void* out);

// Copies width x height pixels from the source's (sourceX, sourceY) to the
// destination's (x, y), each colour mapped to the destination's palette.
// Only SRCCOPY, only onto a surface's context. Parts of the rectangle beyond
// the source's pixels or the destination's edges are left as they are.
bool BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
            std::uint32_t rop);

// For the software surfaces (soft/) only: a device context drawing on width x height bytes at pixels
// with the given pitch, colours looked up in palette (256 entries, which
// must outlive the context). Called by surface implementations' GetDC.
HDC CreateSurfaceDC(std::uint8_t* pixels, int width, int height, int pitch, const PALETTEENTRY* palette);
void DestroySurfaceDC(HDC dc);

}  // namespace plat
