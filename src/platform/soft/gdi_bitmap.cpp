// Bitmaps: LoadImageA from BMP files and BitBlt onto 8-bit surfaces.
#include <algorithm>
#include <utility>
#include <vector>

#include "bitmap_files.h"
#include "gdi_colour.h"
#include "gdi_internal.h"

namespace plat {

namespace {

struct Clipped {
  std::int64_t first;  // offset into the requested rectangle
  std::int64_t end;
};

// Offsets k in [0, length) with start + k inside the source and at + k
// inside the destination.
Clipped ClipAxis(std::int64_t at, std::int64_t start, std::int64_t length, int sourceSize,
                 int destinationSize) {
  const std::int64_t first = std::max<std::int64_t>({0, -start, -at});
  const std::int64_t end = std::min<std::int64_t>({length, sourceSize - start, destinationSize - at});
  return {first, end};
}

void BlitIndexed(DeviceContext& destination, const soft::SourceView& source, std::int64_t x, std::int64_t y,
                 std::int64_t sourceX, std::int64_t sourceY, Clipped columns, Clipped rows) {
  const soft::ColourTable& table = soft::TableOf(destination);
  std::uint8_t map[256];
  // Only the colours that occur are looked up.
  std::array<bool, 256> used{};
  if (source.used != nullptr) {
    std::copy(source.used, source.used + 256, used.begin());
  } else {
    for (std::int64_t row = rows.first; row < rows.end; ++row) {
      const std::uint8_t* from = source.indices + (sourceY + row) * source.stride + sourceX;
      for (std::int64_t column = columns.first; column < columns.end; ++column) {
        used[from[column]] = true;
      }
    }
  }
  for (int i = 0; i < 256; ++i) {
    map[i] = used[i] ? soft::IndexOfRgb(table, source.colours[i]) : 0;
  }
  // A bitmap drawn in the screen's own palette, as the buttons are, copies row by row.
  bool same = true;
  for (int i = 0; i < 256 && same; ++i) {
    same = !used[i] || map[i] == i;
  }
  const std::int64_t width = columns.end - columns.first;
  for (std::int64_t row = rows.first; row < rows.end; ++row) {
    const std::uint8_t* from = source.indices + (sourceY + row) * source.stride + sourceX + columns.first;
    std::uint8_t* to = destination.pixels + (y + row) * destination.pitch + x + columns.first;
    if (same) {
      std::copy(from, from + width, to);
      continue;
    }
    for (std::int64_t column = 0; column < width; ++column) {
      to[column] = map[from[column]];
    }
  }
}

void BlitRgb(DeviceContext& destination, const soft::SourceView& source, std::int64_t x, std::int64_t y,
             std::int64_t sourceX, std::int64_t sourceY, Clipped columns, Clipped rows) {
  const soft::ColourTable& table = soft::TableOf(destination);
  for (std::int64_t row = rows.first; row < rows.end; ++row) {
    const COLORREF* from = source.rgb + (sourceY + row) * source.stride + sourceX + columns.first;
    std::uint8_t* to = destination.pixels + (y + row) * destination.pitch + x + columns.first;
    soft::IndicesOfRgb(table, from, to, static_cast<std::size_t>(columns.end - columns.first));
  }
}

}  // namespace

namespace soft {

bool SourceOf(const DeviceContext* dc, SourceView* view) {
  if (dc == nullptr) {
    return false;
  }
  if (!dc->memory) {
    if (dc->pixels == nullptr) {
      return false;
    }
    view->width = dc->width;
    view->height = dc->height;
    view->stride = dc->pitch;
    view->indices = dc->pixels;
    for (int i = 0; i < 256; ++i) {
      view->surfaceColours[i] = RgbOf(dc->palette[i]);
    }
    view->colours = view->surfaceColours.data();
    view->used = nullptr;
    return true;
  }
  if (dc->bitmap == nullptr) {
    return false;
  }
  const BitmapPixels& bitmap = dc->bitmap->bitmap;
  view->width = bitmap.width;
  view->height = bitmap.height;
  view->stride = bitmap.width;
  if (bitmap.indexed) {
    view->indices = bitmap.indices.data();
    view->colours = bitmap.colours.data();
    view->used = bitmap.used.data();
  } else {
    view->rgb = bitmap.rgb.data();
  }
  return true;
}

}  // namespace soft

HBITMAP LoadImageA(HINSTANCE /*instance*/, const char* name, std::uint32_t type, int width, int height,
                   std::uint32_t flags) {
  // Only files at their own size: there are no bitmap resources to load.
  if (name == nullptr || type != IMAGE_BITMAP || (flags & LR_LOADFROMFILE) == 0 || width != 0 ||
      height != 0) {
    return nullptr;
  }
  soft::BitmapPixels pixels;
  if (!soft::LoadBitmapFile(name, &pixels)) {
    return nullptr;
  }
  GdiObject* bitmap = soft::NewBitmapObject();
  bitmap->bitmap = std::move(pixels);
  return bitmap;
}

bool BitBlt(HDC destination, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
            std::uint32_t rop) {
  soft::SourceView view;
  if (rop != SRCCOPY || !soft::Drawable(destination) || !soft::SourceOf(source, &view) || width < 0 ||
      height < 0) {
    return false;
  }
  const Clipped columns = ClipAxis(x, sourceX, width, view.width, destination->width);
  const Clipped rows = ClipAxis(y, sourceY, height, view.height, destination->height);
  if (columns.first >= columns.end || rows.first >= rows.end) {
    return true;
  }
  if (view.indices == nullptr) {
    BlitRgb(*destination, view, x, y, sourceX, sourceY, columns, rows);
    return true;
  }
  if (source->memory) {
    BlitIndexed(*destination, view, x, y, sourceX, sourceY, columns, rows);
    return true;
  }
  // From a surface, which may share memory with the destination: copy the
  // source rectangle out first.
  const std::int64_t copyWidth = columns.end - columns.first;
  const std::int64_t copyHeight = rows.end - rows.first;
  std::vector<std::uint8_t> copy(static_cast<std::size_t>(copyWidth * copyHeight));
  for (std::int64_t row = 0; row < copyHeight; ++row) {
    const std::uint8_t* from =
        view.indices + (sourceY + rows.first + row) * view.stride + sourceX + columns.first;
    std::copy(from, from + copyWidth, copy.begin() + row * copyWidth);
  }
  view.indices = copy.data();
  view.stride = static_cast<int>(copyWidth);
  view.width = static_cast<int>(copyWidth);
  view.height = static_cast<int>(copyHeight);
  BlitIndexed(*destination, view, x + columns.first, y + rows.first, 0, 0, {0, copyWidth}, {0, copyHeight});
  return true;
}

}  // namespace plat
