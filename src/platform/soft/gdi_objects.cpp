// GDI objects and device contexts: pens, brushes, stock objects, selection,
// the context's text state, and the registry of live handles.
#include <cstddef>
#include <cstring>
#include <unordered_set>

#include "gdi_counts.h"
#include "gdi_internal.h"

namespace plat {

namespace {

std::unordered_set<const GdiObject*>& LiveObjects() {
  static std::unordered_set<const GdiObject*> live;
  return live;
}

std::unordered_set<const DeviceContext*>& LiveDcs() {
  static std::unordered_set<const DeviceContext*> live;
  return live;
}

GdiObject MakeStock(GdiKind kind, COLORREF colour, bool empty) {
  GdiObject object;
  object.kind = kind;
  object.stock = true;
  object.colour = colour;
  object.empty = empty;
  return object;
}

GdiObject stockObjects[] = {
    MakeStock(GdiKind::Brush, RGB(255, 255, 255), false),  // WHITE_BRUSH
    MakeStock(GdiKind::Brush, RGB(192, 192, 192), false),  // LTGRAY_BRUSH
    MakeStock(GdiKind::Brush, RGB(128, 128, 128), false),  // GRAY_BRUSH
    MakeStock(GdiKind::Brush, RGB(64, 64, 64), false),     // DKGRAY_BRUSH
    MakeStock(GdiKind::Brush, RGB(0, 0, 0), false),        // BLACK_BRUSH
    MakeStock(GdiKind::Brush, 0, true),                    // NULL_BRUSH
    MakeStock(GdiKind::Pen, RGB(255, 255, 255), false),    // WHITE_PEN
    MakeStock(GdiKind::Pen, RGB(0, 0, 0), false),          // BLACK_PEN
    MakeStock(GdiKind::Pen, 0, true),                      // NULL_PEN
};
constexpr int kStockCount = sizeof stockObjects / sizeof stockObjects[0];

// The one-pixel bitmap a new memory context holds until one is selected.
GdiObject* DefaultBitmap() {
  static GdiObject bitmap = [] {
    GdiObject object;
    object.kind = GdiKind::Bitmap;
    object.stock = true;
    object.bitmap.width = 1;
    object.bitmap.height = 1;
    object.bitmap.bitsPerPixel = 1;
    object.bitmap.indexed = true;
    object.bitmap.indices.assign(1, 0);
    object.bitmap.used[0] = true;  // colours[0] is black
    return object;
  }();
  return &bitmap;
}

// By address, so that a stale handle is never read.
bool IsStock(const GdiObject* object) {
  for (const GdiObject& stock : stockObjects) {
    if (object == &stock) {
      return true;
    }
  }
  return object == DefaultBitmap();
}

GdiObject* NewObject(GdiKind kind, COLORREF colour, bool empty) {
  auto* object = new GdiObject;
  object->kind = kind;
  object->colour = colour;
  object->empty = empty;
  LiveObjects().insert(object);
  return object;
}

DeviceContext* NewDc(bool memory) {
  auto* dc = new DeviceContext;
  dc->memory = memory;
  // A fresh context as on Windows: black pen, white brush, black text on
  // white, opaque.
  dc->pen = &stockObjects[BLACK_PEN];
  dc->brush = &stockObjects[WHITE_BRUSH];
  dc->bitmap = memory ? DefaultBitmap() : nullptr;
  dc->textColour = RGB(0, 0, 0);
  dc->backgroundColour = RGB(255, 255, 255);
  dc->backgroundMode = OPAQUE;
  LiveDcs().insert(dc);
  return dc;
}

void Deselect(GdiObject* object) {
  if (object != nullptr && !object->stock) {
    --object->selections;
  }
}

void FreeDc(DeviceContext* dc) {
  Deselect(dc->pen);
  Deselect(dc->brush);
  Deselect(dc->bitmap);
  LiveDcs().erase(dc);
  delete dc;
}

}  // namespace

namespace soft {

bool IsLiveObject(const GdiObject* object) {
  return object != nullptr && (IsStock(object) || LiveObjects().count(object) != 0);
}

bool IsLiveDc(const DeviceContext* dc) {
  return dc != nullptr && LiveDcs().count(dc) != 0;
}

std::size_t LiveGdiObjects() {
  return LiveObjects().size();
}

std::size_t LiveDeviceContexts() {
  return LiveDcs().size();
}

GdiObject* NewBitmapObject() {
  return NewObject(GdiKind::Bitmap, 0, false);
}

}  // namespace soft

HPEN CreatePen(int style, int /*width*/, COLORREF colour) {
  // Every pen is one pixel wide; only the null style differs from solid.
  return NewObject(GdiKind::Pen, colour, style == PS_NULL);
}

HBRUSH CreateSolidBrush(COLORREF colour) {
  return NewObject(GdiKind::Brush, colour, false);
}

HGDIOBJ GetStockObject(int which) {
  if (which < 0 || which >= kStockCount) {
    return nullptr;
  }
  return &stockObjects[which];
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object) {
  if (!soft::IsLiveDc(dc) || !soft::IsLiveObject(object)) {
    return nullptr;
  }
  GdiObject** slot = nullptr;
  switch (object->kind) {
    case GdiKind::Pen:
      slot = &dc->pen;
      break;
    case GdiKind::Brush:
      slot = &dc->brush;
      break;
    case GdiKind::Bitmap:
      // A bitmap goes into one memory context at a time.
      if (!dc->memory || (object->selections > 0 && dc->bitmap != object)) {
        return nullptr;
      }
      slot = &dc->bitmap;
      break;
  }
  GdiObject* previous = *slot;
  if (previous != object) {
    Deselect(previous);
    if (!object->stock) {
      ++object->selections;
    }
    *slot = object;
  }
  return previous;
}

bool DeleteObject(HGDIOBJ object) {
  if (!soft::IsLiveObject(object)) {
    return false;
  }
  if (object->stock) {
    return true;
  }
  if (object->selections > 0) {
    return false;  // still selected into a context
  }
  LiveObjects().erase(object);
  delete object;
  return true;
}

COLORREF SetTextColor(HDC dc, COLORREF colour) {
  if (dc == nullptr) {
    return CLR_INVALID;
  }
  const COLORREF previous = dc->textColour;
  dc->textColour = colour;
  return previous;
}

COLORREF SetBkColor(HDC dc, COLORREF colour) {
  if (dc == nullptr) {
    return CLR_INVALID;
  }
  const COLORREF previous = dc->backgroundColour;
  dc->backgroundColour = colour;
  return previous;
}

int SetBkMode(HDC dc, int mode) {
  if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) {
    return 0;
  }
  const int previous = dc->backgroundMode;
  dc->backgroundMode = mode;
  return previous;
}

HDC CreateCompatibleDC(HDC /*reference*/) {
  return NewDc(true);
}

bool DeleteDC(HDC dc) {
  if (!soft::IsLiveDc(dc) || !dc->memory) {
    return false;
  }
  FreeDc(dc);
  return true;
}

HDC CreateSurfaceDC(std::uint8_t* pixels, int width, int height, int pitch, const PALETTEENTRY* palette) {
  if (pixels == nullptr || palette == nullptr || width <= 0 || height <= 0 || pitch < width) {
    return nullptr;
  }
  DeviceContext* dc = NewDc(false);
  dc->pixels = pixels;
  dc->width = width;
  dc->height = height;
  dc->pitch = pitch;
  dc->palette = palette;
  return dc;
}

void DestroySurfaceDC(HDC dc) {
  if (soft::IsLiveDc(dc) && !dc->memory) {
    FreeDc(dc);
  }
}

int GetObjectA(HGDIOBJ object, int size, void* out) {
  if (!soft::IsLiveObject(object) || object->kind != GdiKind::Bitmap || out == nullptr ||
      size < static_cast<int>(offsetof(BITMAP, bmBits))) {
    return 0;
  }
  const soft::BitmapPixels& pixels = object->bitmap;
  BITMAP description{};
  description.bmType = 0;
  description.bmWidth = pixels.width;
  description.bmHeight = pixels.height;
  // Rows as a device-independent bitmap stores them: padded to 4 bytes.
  description.bmWidthBytes = static_cast<std::int32_t>(
      ((static_cast<std::int64_t>(pixels.width) * pixels.bitsPerPixel + 31) / 32) * 4);
  description.bmPlanes = 1;
  description.bmBitsPixel = static_cast<std::uint16_t>(pixels.bitsPerPixel);
  description.bmBits = nullptr;  // the pixels are kept in a form of our own
  const int written =
      size < static_cast<int>(sizeof description) ? size : static_cast<int>(sizeof description);
  std::memcpy(out, &description, static_cast<std::size_t>(written));
  return written;
}

}  // namespace plat
