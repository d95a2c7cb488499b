// The editing grid: its lattice and marks, the image's cells, and what shows over them.
#include "draw/grid_drawing.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "app/editor_state.h"
#include "canvas/drawing_aids.h"
#include "canvas/onion_layer.h"
#include "canvas/screen_colours.h"
#include "canvas/screen_layout.h"
#include "canvas/shape_preview.h"
#include "draw/screen_fill.h"

namespace {

// Everything the grid may draw in: the marks above and left of it, the
// outline a pixel outside the cells at the pitches without lines, the cells
// and their lines.
constexpr layout::ScreenRect kGridZone{layout::kHeightMarkLeft, layout::kWidthMarkTop,
                                       layout::kGridFrame.right + 1, layout::kGridFrame.bottom + 1};

// ---- The grid ---------------------------------------------------------------

// The whole lattice of the start pitch with its marks, as the editor has
// always drawn it: every line of 102 x 78 cells, grey marks at the middle,
// red ones where a smaller image ends.
void DrawStartLattice(const LockedScreen& screen) {
  const layout::ScreenRect& frame = layout::kGridFrame;
  for (int y = frame.top; y <= frame.bottom; y += layout::kStartPitch) {
    HorizontalLine(screen, frame.left, frame.right, y, kWhiteIndex);
  }
  for (int x = frame.left; x <= frame.right; x += layout::kStartPitch) {
    VerticalLine(screen, x, frame.top, frame.bottom, kWhiteIndex);
  }
  const int middleX = frame.left + layout::kStartPitch * layout::kMiddleColumn;
  const int middleY = frame.top + layout::kStartPitch * layout::kMiddleRow;
  screen.Put(middleX, layout::kWidthMarkTop + 1, kGreyIndex);
  screen.Put(layout::kHeightMarkLeft + 1, middleY, kGreyIndex);
  if (editorState.width < layout::kGridColumns) {
    const std::int64_t x = frame.left + std::int64_t{layout::kStartPitch} * editorState.width;
    screen.Put(x, layout::kWidthMarkTop, kRedIndex);
    screen.Put(x, layout::kWidthMarkTop + 1, kRedIndex);
  }
  if (editorState.height < layout::kGridRows) {
    const std::int64_t y = frame.top + std::int64_t{layout::kStartPitch} * editorState.height;
    screen.Put(layout::kHeightMarkLeft, y, kRedIndex);
    screen.Put(layout::kHeightMarkLeft + 1, y, kRedIndex);
  }
}

// At the other pitches only the image's shown cells are grid: their lines,
// and round them an outline at the image's edge (a pixel outside the cells
// where they have no lines).
void DrawShownLattice(const LockedScreen& screen, const GridView& view, const ShownCells& part) {
  if (part.columns == 0 || part.rows == 0) {
    return;
  }
  const int pitch = view.pitch;
  const int left = layout::kGridOrigin.x;
  const int top = layout::kGridOrigin.y;
  const int right = left + pitch * part.columns;
  const int bottom = top + pitch * part.rows;
  if (PitchHasLines(pitch)) {
    for (int row = 0; row <= part.rows; ++row) {
      HorizontalLine(screen, left, right, top + pitch * row, kWhiteIndex);
    }
    for (int column = 0; column <= part.columns; ++column) {
      VerticalLine(screen, left + pitch * column, top, bottom, kWhiteIndex);
    }
    return;
  }
  HorizontalLine(screen, left - 1, right, top - 1, kWhiteIndex);
  HorizontalLine(screen, left - 1, right, bottom, kWhiteIndex);
  VerticalLine(screen, left - 1, top - 1, bottom, kWhiteIndex);
  VerticalLine(screen, right, top - 1, bottom, kWhiteIndex);
}

// The part of rect the grid shows.
ImageRect ShownRect(const ShownCells& part, ImageRect rect) {
  return {std::max(rect.left, part.firstColumn), std::max(rect.top, part.firstRow),
          std::min(rect.right, part.firstColumn + part.columns),
          std::min(rect.bottom, part.firstRow + part.rows)};
}

// The cells of the image pixels in rect, in their colours. Each row of cells
// is made once, with the lines between its cells, and copied to every
// screen row of it.
void DrawCells(const LockedScreen& screen, const GridView& view, const ImageRect& rect) {
  const IndexImage& image = WorkingImage();
  const int pitch = view.pitch;
  const int inset = PitchHasLines(pitch) ? 1 : 0;
  std::array<std::uint8_t, layout::kGridAreaWidth> cells{};
  const auto width = static_cast<std::size_t>((rect.right - rect.left) * pitch);
  const int left = layout::kGridOrigin.x + (rect.left - view.firstColumn) * pitch;
  for (int row = rect.top; row < rect.bottom; ++row) {
    std::uint8_t* out = cells.data();
    for (int column = rect.left; column < rect.right; ++column, out += pitch) {
      if (inset != 0) {
        out[0] = kWhiteIndex;
      }
      std::memset(out + inset, image.At(column, row), static_cast<std::size_t>(pitch - inset));
    }
    const int top = layout::kGridOrigin.y + (row - view.firstRow) * pitch + inset;
    for (int y = top; y < top + pitch - inset; ++y) {
      if (y >= 0 && y < screen.height) {
        std::memcpy(screen.Row(y) + left, cells.data(), width);
      }
    }
  }
}

// The lines round rect's cells: a marquee drawn on them before comes off.
void DrawLinesRound(const LockedScreen& screen, const GridView& view, const ImageRect& rect) {
  if (!PitchHasLines(view.pitch)) {
    return;
  }
  const int pitch = view.pitch;
  const int left = layout::kGridOrigin.x + (rect.left - view.firstColumn) * pitch;
  const int right = layout::kGridOrigin.x + (rect.right - view.firstColumn) * pitch;
  const int top = layout::kGridOrigin.y + (rect.top - view.firstRow) * pitch;
  const int bottom = layout::kGridOrigin.y + (rect.bottom - view.firstRow) * pitch;
  for (int y = top; y <= bottom; y += pitch) {
    HorizontalLine(screen, left, right, y, kWhiteIndex);
  }
  VerticalLine(screen, right, top, bottom, kWhiteIndex);
}

// The onion skin where the image shows colour 0: the previous image's pixel
// a square in the cell's top-left quarter, the next one's in its
// bottom-right quarter. Cells too small for quarters show none.
void DrawOnion(const LockedScreen& screen, const GridView& view, const ImageRect& rect) {
  const OnionLayer& onion = CurrentOnion();
  const int inside = view.pitch - 1;
  if (!onion.shown || !PitchHasLines(view.pitch)) {
    return;
  }
  const int quarter = inside / 2;
  const IndexImage& image = WorkingImage();
  for (int row = rect.top; row < rect.bottom; ++row) {
    for (int column = rect.left; column < rect.right; ++column) {
      if (image.At(column, row) != 0) {
        continue;
      }
      const layout::ScreenRect cell = GridCellRect(view, column, row);
      if (onion.previous.Contains(column, row) && onion.previous.At(column, row) != 0) {
        FillRect(screen, {cell.left, cell.top, cell.left + quarter, cell.top + quarter},
                 onion.previous.At(column, row));
      }
      if (onion.next.Contains(column, row) && onion.next.At(column, row) != 0) {
        FillRect(screen, {cell.right - quarter, cell.bottom - quarter, cell.right, cell.bottom},
                 onion.next.At(column, row));
      }
    }
  }
}

// Floating pixels over the image; colour 0 among them is clear.
void DrawFloating(const LockedScreen& screen, const GridView& view, const ImageRect& rect) {
  const Selection& selection = CurrentSelection();
  if (!selection.floating) {
    return;
  }
  const ImageRect over{std::max(rect.left, selection.rect.left), std::max(rect.top, selection.rect.top),
                       std::min(rect.right, selection.rect.right),
                       std::min(rect.bottom, selection.rect.bottom)};
  for (int row = over.top; row < over.bottom; ++row) {
    for (int column = over.left; column < over.right; ++column) {
      const std::uint8_t pixel = selection.pixels.At(column - selection.rect.left, row - selection.rect.top);
      if (pixel != 0) {
        FillRect(screen, GridCellRect(view, column, row), pixel);
      }
    }
  }
}

void DrawShape(const LockedScreen& screen, const GridView& view, const ImageRect& rect) {
  if (!ShapeShown()) {
    return;
  }
  const int colour = ShownShapeColour();
  for (const ImageCell& cell : ShownShapeCells()) {
    if (cell.column >= rect.left && cell.column < rect.right && cell.row >= rect.top &&
        cell.row < rect.bottom) {
      FillRect(screen, GridCellRect(view, cell.column, cell.row), colour);
    }
  }
}

}  // namespace

void DrawWholeGrid(const LockedScreen& screen, const GridView& view, const ShownCells& part) {
  FillRect(screen, kGridZone, kBlackIndex);
  if (view.pitch == layout::kStartPitch) {
    DrawStartLattice(screen);
  } else {
    DrawShownLattice(screen, view, part);
  }
  DrawGridPart(screen, view, part,
               {part.firstColumn, part.firstRow, part.firstColumn + part.columns, part.firstRow + part.rows});
}

void DrawGridPart(const LockedScreen& screen, const GridView& view, const ShownCells& part, ImageRect rect) {
  rect = ShownRect(part, rect);
  if (rect.Empty()) {
    return;
  }
  DrawCells(screen, view, rect);
  DrawLinesRound(screen, view, rect);
  if (!PitchHasLines(view.pitch)) {
    // The outline a pixel outside the cells, which a marquee may have covered.
    DrawShownLattice(screen, view, part);
  }
  DrawOnion(screen, view, rect);
  DrawFloating(screen, view, rect);
  DrawShape(screen, view, rect);
}

void DrawMarquee(const LockedScreen& screen, const GridView& view, const ShownCells& part) {
  const Selection& selection = CurrentSelection();
  if (!selection.active) {
    return;
  }
  // The outline lies on the lines round the selected cells, or a pixel
  // outside them where there are no lines, within the grid's area.
  const int pitch = view.pitch;
  const int outside = PitchHasLines(pitch) ? 0 : 1;
  const int left = layout::kGridOrigin.x + (selection.rect.left - view.firstColumn) * pitch - outside;
  const int right = layout::kGridOrigin.x + (selection.rect.right - view.firstColumn) * pitch;
  const int top = layout::kGridOrigin.y + (selection.rect.top - view.firstRow) * pitch - outside;
  const int bottom = layout::kGridOrigin.y + (selection.rect.bottom - view.firstRow) * pitch;
  const layout::ScreenRect area{layout::kGridOrigin.x - outside, layout::kGridOrigin.y - outside,
                                layout::kGridOrigin.x + pitch * part.columns + 1,
                                layout::kGridOrigin.y + pitch * part.rows + 1};
  const auto dash = [&](int x, int y) {
    if (area.Contains(x, y)) {
      screen.Put(x, y, ((x + y) / 2) % 2 == 0 ? kWhiteIndex : kBlackIndex);
    }
  };
  for (int x = std::max(left, area.left); x <= std::min(right, area.right - 1); ++x) {
    dash(x, top);
    dash(x, bottom);
  }
  for (int y = std::max(top, area.top); y <= std::min(bottom, area.bottom - 1); ++y) {
    dash(left, y);
    dash(right, y);
  }
}

void DrawMirrorAxes(const LockedScreen& screen, const GridView& view, const ShownCells& part) {
  const DrawingAids& aids = CurrentAids();
  const IndexImage& image = WorkingImage();
  const int pitch = view.pitch;
  const int inset = PitchHasLines(pitch) ? 1 : 0;
  // The screen position of the axis of a size, counted along the grid from
  // the first cell shown: on the line between the middle pixels, or through
  // the middle pixel's inside.
  const auto axis = [&](int size, int first, int origin) {
    const int middle = size / 2;
    if (size % 2 == 0) {
      return origin + (middle - first) * pitch;
    }
    return origin + (middle - first) * pitch + inset + (pitch - inset) / 2;
  };
  const auto dash = [&screen](int x, int y) {
    screen.Put(x, y, (x + y) / 3 % 2 == 0 ? kRedIndex : kWhiteIndex);
  };
  const int left = layout::kGridOrigin.x;
  const int top = layout::kGridOrigin.y;
  const int right = left + part.columns * pitch;
  const int bottom = top + part.rows * pitch;
  if (aids.mirrorLeftRight && image.width > 0) {
    const int x = axis(image.width, part.firstColumn, left);
    for (int y = top; x >= left && x <= right && y <= bottom; ++y) {
      dash(x, y);
    }
  }
  if (aids.mirrorTopBottom && image.height > 0) {
    const int y = axis(image.height, part.firstRow, top);
    for (int x = left; y >= top && y <= bottom && x <= right; ++x) {
      dash(x, y);
    }
  }
}
