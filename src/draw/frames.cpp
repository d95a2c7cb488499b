// The white outlines of the two views and the editing grid with its size marks.
#include "draw/frames.h"

#include "app/editor_state.h"
#include "platform/gdi.h"

namespace {

constexpr plat::COLORREF kWhite = plat::RGB(255, 255, 255);
constexpr plat::COLORREF kGrey = plat::RGB(204, 204, 204);
constexpr plat::COLORREF kRed = plat::RGB(255, 0, 0);
constexpr plat::COLORREF kBlack = plat::RGB(0, 0, 0);

constexpr plat::POINT kReferenceOutline[5] = {{5, 5}, {108, 5}, {108, 84}, {5, 84}, {5, 5}};
constexpr plat::POINT kWorkingOutline[5] = {{5, 127}, {108, 127}, {108, 206}, {5, 206}, {5, 127}};
constexpr plat::POINT kGridOutline[5] = {{140, 5}, {650, 5}, {650, 395}, {140, 395}, {140, 5}};

int DrawOutline(plat::DrawSurface* surface, const plat::POINT (&points)[5]) {
  plat::HDC dc = nullptr;
  if (surface == nullptr || plat::FAILED(surface->GetDC(&dc))) {
    return 0;
  }
  plat::HPEN pen = plat::CreatePen(plat::PS_SOLID, 1, kWhite);
  plat::HGDIOBJ held = plat::SelectObject(dc, pen);
  plat::Polyline(dc, points, 5);
  plat::SelectObject(dc, held);
  plat::DeleteObject(pen);
  surface->ReleaseDC(dc);
  return 1;
}

// Mark positions come from sizes that files and entries may fill with any
// number; one that lies off the screen is simply not drawn.
void MarkPixel(plat::HDC dc, std::int64_t x, std::int64_t y, plat::COLORREF colour) {
  if (x < 0 || y < 0 || x >= plat::kScreenWidth || y >= plat::kScreenHeight) {
    return;
  }
  plat::SetPixel(dc, static_cast<int>(x), static_cast<int>(y), colour);
}

// Drawn after the middle marks, so a size on the middle line shows red.
void DrawSizeMarks(plat::HDC dc) {
  const EditorState& s = editorState;
  const std::int64_t oldX = 140 + 5 * static_cast<std::int64_t>(s.previousWidth);
  if (s.previousWidth == 51) {
    MarkPixel(dc, 395, 2, kBlack);
  } else if (s.previousWidth < 102) {
    MarkPixel(dc, oldX, 2, kBlack);
    MarkPixel(dc, oldX, 3, kBlack);
  }
  const std::int64_t oldY = 5 + 5 * static_cast<std::int64_t>(s.previousHeight);
  if (s.previousHeight == 39) {
    MarkPixel(dc, 137, 200, kBlack);
  } else if (s.previousHeight < 79) {  // 79: a previous height of 78 is erased too
    MarkPixel(dc, 137, oldY, kBlack);
    MarkPixel(dc, 138, oldY, kBlack);
  }

  if (s.width < 102) {
    const std::int64_t x = 140 + 5 * static_cast<std::int64_t>(s.width);
    MarkPixel(dc, x, 2, kRed);
    MarkPixel(dc, x, 3, kRed);
  }
  if (s.height < 78) {
    const std::int64_t y = 5 + 5 * static_cast<std::int64_t>(s.height);
    MarkPixel(dc, 137, y, kRed);
    MarkPixel(dc, 138, y, kRed);
  }
}

}  // namespace

int DrawReferenceFrame(plat::DrawSurface* surface) {
  return DrawOutline(surface, kReferenceOutline);
}

int DrawWorkingFrame(plat::DrawSurface* surface) {
  return DrawOutline(surface, kWorkingOutline);
}

int DrawEditingGrid(plat::DrawSurface* surface) {
  plat::HDC dc = nullptr;
  if (surface == nullptr || plat::FAILED(surface->GetDC(&dc))) {
    return 0;
  }
  plat::HPEN pen = plat::CreatePen(plat::PS_SOLID, 1, kWhite);
  plat::HGDIOBJ held = plat::SelectObject(dc, pen);
  plat::Polyline(dc, kGridOutline, 5);
  for (int r = 0; r <= 78; ++r) {
    plat::MoveToEx(dc, 140, 5 + 5 * r, nullptr);
    plat::LineTo(dc, 650, 5 + 5 * r);
  }
  for (int c = 0; c <= 102; ++c) {
    plat::MoveToEx(dc, 140 + 5 * c, 5, nullptr);
    plat::LineTo(dc, 140 + 5 * c, 395);
  }
  MarkPixel(dc, 395, 3, kGrey);
  MarkPixel(dc, 138, 200, kGrey);
  plat::SelectObject(dc, held);
  plat::DeleteObject(pen);
  DrawSizeMarks(dc);
  surface->ReleaseDC(dc);
  return 1;
}
