// The records behind GDI handles, shared by the software GDI files.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "../gdi.h"

namespace plat::soft {

class ColourTable;

// A bitmap's pixels, decoded once when it is loaded: either palette indices
// with the colour of each index, or one RGB value per pixel. Rows run top
// down without padding.
struct BitmapPixels {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;  // of the file, for GetObjectA
  bool indexed = false;
  std::vector<std::uint8_t> indices;
  std::array<COLORREF, 256> colours{};  // indices beyond the file's palette read black
  std::array<bool, 256> used{};         // indices that occur in the pixels
  std::vector<COLORREF> rgb;
};

// Pixels as a BitBlt source sees them: a window onto indices (with their
// colours) or onto RGB values. stride counts elements.
struct SourceView {
  int width = 0;
  int height = 0;
  int stride = 0;
  const std::uint8_t* indices = nullptr;
  const COLORREF* colours = nullptr;  // 256 entries, with indices
  const bool* used = nullptr;         // 256 entries; null: any index may occur
  const COLORREF* rgb = nullptr;
  std::array<COLORREF, 256> surfaceColours{};  // colours points here for a surface
};

}  // namespace plat::soft

namespace plat {

enum class GdiKind : std::uint8_t { Pen, Brush, Bitmap };

class GdiObject {
 public:
  GdiKind kind = GdiKind::Pen;
  bool stock = false;
  bool empty = false;  // a null pen or brush: that part is not drawn
  COLORREF colour = 0;
  int selections = 0;  // device contexts holding it
  soft::BitmapPixels bitmap;
};

class DeviceContext {
 public:
  bool memory = false;
  // Surface contexts: the 8-bit pixels and their palette.
  std::uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;
  const PALETTEENTRY* palette = nullptr;

  GdiObject* pen = nullptr;
  GdiObject* brush = nullptr;
  GdiObject* bitmap = nullptr;  // memory contexts only
  POINT position{0, 0};
  COLORREF textColour = 0;
  COLORREF backgroundColour = 0;
  int backgroundMode = 0;

  // Colour mapping: the exact-colour table for this palette and the last
  // colour mapped (pens and text map the same colour over and over).
  const soft::ColourTable* table = nullptr;
  std::uint64_t tableGeneration = 0;
  bool memoValid = false;
  COLORREF memoColour = 0;
  std::uint8_t memoIndex = 0;
};

}  // namespace plat

namespace plat::soft {

// True for a surface context that can be drawn on.
inline bool Drawable(const DeviceContext* dc) {
  return dc != nullptr && !dc->memory && dc->pixels != nullptr;
}

// The registry of live handles, so that stale or foreign ones are refused.
bool IsLiveObject(const GdiObject* object);
bool IsLiveDc(const DeviceContext* dc);

// A new bitmap object, registered as live, for LoadImageA to fill.
GdiObject* NewBitmapObject();

// What a context shows to BitBlt as a source; false when it has nothing.
bool SourceOf(const DeviceContext* dc, SourceView* view);

}  // namespace plat::soft
