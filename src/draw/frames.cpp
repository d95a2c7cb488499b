// The white outlines of the two views and the editing grid with its size marks.
#include "draw/frames.h"

#include "app/editor_state.h"
#include "canvas/screen_layout.h"
#include "platform/gdi.h"

namespace {

constexpr plat::COLORREF kWhite = plat::RGB(255, 255, 255);
constexpr plat::COLORREF kGrey = plat::RGB(204, 204, 204);
constexpr plat::COLORREF kRed = plat::RGB(255, 0, 0);
constexpr plat::COLORREF kBlack = plat::RGB(0, 0, 0);

using Outline = std::array<plat::POINT, 5>;

constexpr Outline kReferenceOutline = OutlinePoints(layout::FrameAround(layout::kReferenceView));
constexpr Outline kWorkingOutline = OutlinePoints(layout::FrameAround(layout::kWorkingView));
constexpr Outline kGridOutline = OutlinePoints(layout::kGridFrame);

int DrawOutline(plat::DrawSurface* surface, const Outline& outline) {
  plat::HDC dc = nullptr;
  if (surface == nullptr || plat::FAILED(surface->GetDC(&dc))) {
    return 0;
  }
  plat::HPEN pen = plat::CreatePen(plat::PS_SOLID, 1, kWhite);
  plat::HGDIOBJ held = plat::SelectObject(dc, pen);
  plat::Polyline(dc, outline.data(), 5);
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

// The width mark's two pixels above the grid line at x, or the height mark's
// two left of the grid line at y.
void WidthMark(plat::HDC dc, std::int64_t x, plat::COLORREF colour) {
  MarkPixel(dc, x, layout::kWidthMarkTop, colour);
  MarkPixel(dc, x, layout::kWidthMarkTop + 1, colour);
}

void HeightMark(plat::HDC dc, std::int64_t y, plat::COLORREF colour) {
  MarkPixel(dc, layout::kHeightMarkLeft, y, colour);
  MarkPixel(dc, layout::kHeightMarkLeft + 1, y, colour);
}

// The grey marks of the grid's middle column and row: the lower pixel of a
// width mark's place and the right pixel of a height mark's.
constexpr std::int64_t kMiddleMarkX = layout::GridLineX(layout::kMiddleColumn);
constexpr std::int64_t kMiddleMarkY = layout::GridLineY(layout::kMiddleRow);

// Drawn after the middle marks, so a size on the middle line shows red.
void DrawSizeMarks(plat::HDC dc) {
  const EditorState& s = editorState;
  if (s.previousWidth == layout::kMiddleColumn) {
    MarkPixel(dc, kMiddleMarkX, layout::kWidthMarkTop, kBlack);
  } else if (s.previousWidth < layout::kGridColumns) {
    WidthMark(dc, layout::GridLineX(s.previousWidth), kBlack);
  }
  if (s.previousHeight == layout::kMiddleRow) {
    MarkPixel(dc, layout::kHeightMarkLeft, kMiddleMarkY, kBlack);
  } else if (s.previousHeight < layout::kGridRows + 1) {  // a previous height of 78 is erased too
    HeightMark(dc, layout::GridLineY(s.previousHeight), kBlack);
  }

  if (s.width < layout::kGridColumns) {
    WidthMark(dc, layout::GridLineX(s.width), kRed);
  }
  if (s.height < layout::kGridRows) {
    HeightMark(dc, layout::GridLineY(s.height), kRed);
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
  plat::Polyline(dc, kGridOutline.data(), 5);
  const layout::ScreenRect& grid = layout::kGridFrame;
  for (int r = 0; r <= layout::kGridRows; ++r) {
    const int y = static_cast<int>(layout::GridLineY(r));
    plat::MoveToEx(dc, grid.left, y, nullptr);
    plat::LineTo(dc, grid.right, y);
  }
  for (int c = 0; c <= layout::kGridColumns; ++c) {
    const int x = static_cast<int>(layout::GridLineX(c));
    plat::MoveToEx(dc, x, grid.top, nullptr);
    plat::LineTo(dc, x, grid.bottom);
  }
  MarkPixel(dc, kMiddleMarkX, layout::kWidthMarkTop + 1, kGrey);
  MarkPixel(dc, layout::kHeightMarkLeft + 1, kMiddleMarkY, kGrey);
  plat::SelectObject(dc, held);
  plat::DeleteObject(pen);
  DrawSizeMarks(dc);
  surface->ReleaseDC(dc);
  return 1;
}
