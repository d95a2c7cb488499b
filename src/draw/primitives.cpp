// Erasing screen regions, blitting bitmap files, text and whole-surface fills.
#include "primitives.h"

#include <cstring>

#include "../app/editor_state.h"
#include "../canvas/screen_colours.h"
#include "../canvas/screen_layout.h"
#include "../platform/gdi.h"

namespace {

// Pens and brushes take no palette index on every platform: the ink's own colour.
plat::COLORREF ColourOfEntry(int index) {
  const plat::PALETTEENTRY& entry = paletteTable[static_cast<std::uint8_t>(index)];
  return plat::RGB(entry.peRed, entry.peGreen, entry.peBlue);
}

}  // namespace

void EraseRegion(int code) {
  plat::DrawSurface* surface = displayDevice.primarySurface;
  plat::HDC dc = nullptr;
  if (surface == nullptr || plat::FAILED(surface->GetDC(&dc))) {
    return;
  }
  const plat::HPEN pen = plat::CreatePen(plat::PS_SOLID, 1, ColourOfEntry(kBlackIndex));
  const plat::HBRUSH brush = plat::CreateSolidBrush(ColourOfEntry(kBlackIndex));
  const plat::HGDIOBJ heldPen = plat::SelectObject(dc, pen);
  const plat::HGDIOBJ heldBrush = plat::SelectObject(dc, brush);
  if (code >= layout::kFirstRegion && code <= layout::kLastRegion) {
    const layout::ScreenRect& region = layout::kRegionRects[code];
    plat::Rectangle(dc, region.left, region.top, region.right, region.bottom);
  }
  plat::SelectObject(dc, heldPen);
  plat::SelectObject(dc, heldBrush);
  plat::DeleteObject(pen);
  plat::DeleteObject(brush);
  surface->ReleaseDC(dc);
}

int DrawBitmapFile(plat::DrawSurface* surface, int x, int y, const char* fileName) {
  if (surface == nullptr || fileName == nullptr) {
    return 0;
  }
  const plat::HBITMAP bitmap = plat::LoadImageA(nullptr, fileName, plat::IMAGE_BITMAP, 0, 0,
                                                plat::LR_LOADFROMFILE | plat::LR_CREATEDIBSECTION);
  if (bitmap == nullptr) {
    return 0;
  }
  const plat::HDC memoryDc = plat::CreateCompatibleDC(nullptr);
  if (memoryDc == nullptr) {
    plat::DeleteObject(bitmap);
    return 0;
  }
  int result = 0;
  plat::BITMAP description = {};
  plat::HDC surfaceDc = nullptr;
  if (plat::SelectObject(memoryDc, bitmap) != nullptr &&
      plat::GetObjectA(bitmap, sizeof description, &description) != 0 &&
      !plat::FAILED(surface->GetDC(&surfaceDc))) {
    result = plat::BitBlt(surfaceDc, x, y, description.bmWidth, description.bmHeight, memoryDc, 0, 0,
                          plat::SRCCOPY)
                 ? 1
                 : 0;
    surface->ReleaseDC(surfaceDc);
  }
  plat::DeleteDC(memoryDc);
  plat::DeleteObject(bitmap);
  return result;
}

int DrawTextAt(const char* text, int x, int y, plat::COLORREF colour, plat::DrawSurface* surface) {
  plat::HDC dc = nullptr;
  if (surface == nullptr || plat::FAILED(surface->GetDC(&dc))) {
    return 0;
  }
  plat::SetTextColor(dc, colour);
  plat::SetBkColor(dc, kBlackInk);
  plat::SetBkMode(dc, plat::OPAQUE);
  if (text != nullptr) {
    plat::TextOutA(dc, x, y, text, static_cast<int>(std::strlen(text)));
  }
  surface->ReleaseDC(dc);
  return 1;
}

void FillSurface(plat::DrawSurface* surface, int paletteIndex) {
  if (surface == nullptr) {
    return;
  }
  plat::DDBLTFX fill = {};
  fill.dwSize = sizeof(plat::DDBLTFX);
  fill.dwFillColor = static_cast<std::uint32_t>(paletteIndex);
  surface->Blt(nullptr, nullptr, nullptr, plat::DDBLT_COLORFILL | plat::DDBLT_WAIT, &fill);
}

void PadToCells(char* text, std::size_t size, int cells) {
  if (text == nullptr || size == 0) {
    return;
  }
  const std::size_t wanted = cells > 0 ? static_cast<std::size_t>(cells) : 0;
  std::size_t length = std::strlen(text);
  while (length + 1 < size && length < wanted) {
    text[length++] = ' ';
  }
  text[length] = '\0';
}
