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

// A lattice of lines every pitch pixels from (left, top), columns x rows
// cells, black inside: the rows between the lines are copies of one.
void DrawLattice(const LockedScreen& screen, int left, int top, int pitch, int columns, int rows) {
  std::array<std::uint8_t, layout::kGridAreaWidth + 1> between{};
  const int width = pitch * columns + 1;
  for (int x = 0; x < width; ++x) {
    between[static_cast<std::size_t>(x)] = x % pitch == 0 ? kWhiteIndex : kBlackIndex;
  }
  for (int y = top; y <= top + pitch * rows && y < screen.height; ++y) {
    if ((y - top) % pitch == 0) {
      HorizontalLine(screen, left, left + width - 1, y, kWhiteIndex);
    } else {
      std::memcpy(screen.Row(y) + left, between.data(), static_cast<std::size_t>(width));
    }
  }
}

// The whole lattice of the start pitch with its marks, as the editor has
// always drawn it: every line of 102 x 78 cells, grey marks at the middle,
// red ones where a smaller image ends.
void DrawStartLattice(const LockedScreen& screen) {
  const layout::ScreenRect& frame = layout::kGridFrame;
  DrawLattice(screen, frame.left, frame.top, layout::kStartPitch, layout::kGridColumns, layout::kGridRows);
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
    DrawLattice(screen, left, top, pitch, part.columns, part.rows);
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

// The colours rect's cells of a row show: the image's, and floating pixels
// over them (colour 0 among these is clear).
void RowColours(const IndexImage& image, const Selection& selection, int row, const ImageRect& rect,
                std::uint8_t* colours) {
  std::memcpy(colours, image.Row(row) + rect.left, static_cast<std::size_t>(rect.right - rect.left));
  if (!selection.floating || row < selection.rect.top || row >= selection.rect.bottom) {
    return;
  }
  const std::uint8_t* floating = selection.pixels.Row(row - selection.rect.top) - selection.rect.left;
  const int from = std::max(rect.left, selection.rect.left);
  const int to = std::min(rect.right, selection.rect.right);
  std::uint8_t* shown = colours - rect.left;
  for (int column = from; column < to; ++column) {
    const std::uint8_t pixel = floating[column];
    shown[column] = pixel != 0 ? pixel : shown[column];
  }
}

// The cells of the image pixels in rect, in the colours they show. Each row
// of cells is made once, with the lines between its cells, and copied to
// every screen row of it.
void DrawCells(const LockedScreen& screen, const GridView& view, const ImageRect& rect) {
  const int pitch = view.pitch;
  const int inset = PitchHasLines(pitch) ? 1 : 0;
  const int inside = pitch - inset;
  std::array<std::uint8_t, layout::kGridAreaWidth> colours{};
  std::array<std::uint8_t, layout::kGridAreaWidth> cells{};
  const int count = rect.right - rect.left;
  const auto width = static_cast<std::size_t>(count * pitch);
  const int left = layout::kGridOrigin.x + (rect.left - view.firstColumn) * pitch;
  const IndexImage& image = WorkingImage();
  const Selection& selection = CurrentSelection();
  for (int row = rect.top; row < rect.bottom; ++row) {
    RowColours(image, selection, row, rect, colours.data());
    if (pitch == 1) {
      std::memcpy(cells.data(), colours.data(), width);
    } else if (pitch == layout::kStartPitch) {
      // The start pitch, the commonest, a cell as one word: its line and its four pixels.
      std::uint8_t* out = cells.data();
      for (int i = 0; i < count; ++i, out += layout::kStartPitch) {
        const std::uint32_t colour = colours[static_cast<std::size_t>(i)];
        const std::uint32_t four = colour * 0x01010101u;
        out[0] = kWhiteIndex;
        std::memcpy(out + 1, &four, sizeof four);
      }
    } else {
      std::uint8_t* out = cells.data();
      for (int i = 0; i < count; ++i) {
        if (inset != 0) {
          *out++ = kWhiteIndex;
        }
        const std::uint8_t colour = colours[static_cast<std::size_t>(i)];
        for (int x = 0; x < inside; ++x) {
          *out++ = colour;
        }
      }
    }
    const int top = layout::kGridOrigin.y + (row - view.firstRow) * pitch + inset;
    for (int y = top; y < top + inside; ++y) {
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
  std::array<std::uint8_t, layout::kGridAreaWidth> colours{};
  const IndexImage& image = WorkingImage();
  const Selection& selection = CurrentSelection();
  for (int row = rect.top; row < rect.bottom; ++row) {
    RowColours(image, selection, row, rect, colours.data());
    for (int column = rect.left; column < rect.right; ++column) {
      if (colours[static_cast<std::size_t>(column - rect.left)] != 0) {
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
  const auto shade = [](int x, int y) {
    return static_cast<std::uint8_t>(((x + y) / 2) % 2 == 0 ? kWhiteIndex : kBlackIndex);
  };
  const int fromX = std::max(left, area.left);
  const int toX = std::min(right, area.right - 1);
  for (const int y : {top, bottom}) {
    if (y >= area.top && y < area.bottom && y < screen.height) {
      std::uint8_t* row = screen.Row(y);
      for (int x = fromX; x <= toX; ++x) {
        row[x] = shade(x, y);
      }
    }
  }
  const int fromY = std::max(top, area.top);
  const int toY = std::min({bottom, area.bottom - 1, screen.height - 1});
  for (const int x : {left, right}) {
    if (x >= area.left && x < area.right && x < screen.width) {
      for (int y = fromY; y <= toY; ++y) {
        screen.Row(y)[x] = shade(x, y);
      }
    }
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
