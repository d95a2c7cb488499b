// The editing grid and the two views drawn from the images in memory, only where something changed.
#include "draw/image_areas.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "app/editor_state.h"
#include "canvas/grid_view.h"
#include "canvas/image_store.h"
#include "canvas/locked_screen.h"
#include "canvas/reference_cover.h"
#include "canvas/screen_colours.h"
#include "canvas/screen_layout.h"
#include "canvas/shape_preview.h"
#include "canvas/view_scale.h"

namespace {

// What the screen shows: when any of it differs from what is wanted, the
// areas are drawn whole.
struct Shown {
  GridView view;
  int width = -1;
  int height = -1;

  bool operator==(const Shown&) const = default;
};

struct AreasState {
  bool valid = false;
  Shown shown;
  // Changes taken by a pass that could not lock the screen, for the next.
  ImageRect changedBefore;
  bool referenceChangedBefore = false;
};

AreasState areas;

// Everything the grid may draw in: the marks above and left of it, the
// outline a pixel outside the cells at the pitches without lines, the cells
// and their lines.
constexpr layout::ScreenRect kGridZone{layout::kHeightMarkLeft, layout::kWidthMarkTop,
                                       layout::kGridFrame.right + 1, layout::kGridFrame.bottom + 1};

void FillRect(const LockedScreen& screen, layout::ScreenRect rect, int colour) {
  rect.left = std::max(rect.left, 0);
  rect.top = std::max(rect.top, 0);
  rect.right = std::min(rect.right, screen.width);
  rect.bottom = std::min(rect.bottom, screen.height);
  if (rect.left >= rect.right) {
    return;
  }
  for (int y = rect.top; y < rect.bottom; ++y) {
    std::memset(screen.Row(y) + rect.left, colour, static_cast<std::size_t>(rect.right - rect.left));
  }
}

void HorizontalLine(const LockedScreen& screen, int left, int right, int y, int colour) {
  FillRect(screen, {left, y, right + 1, y + 1}, colour);
}

void VerticalLine(const LockedScreen& screen, int x, int top, int bottom, int colour) {
  FillRect(screen, {x, top, x + 1, bottom + 1}, colour);
}

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

// The cells of the image pixels in rect that the grid shows, in their
// colours, with a dragged shape over them. Each row of cells is made once
// with the lines between its cells and copied to every screen row of it.
void DrawGridCells(const LockedScreen& screen, const GridView& view, const ShownCells& part, ImageRect rect) {
  const IndexImage& image = WorkingImage();
  rect.left = std::max(rect.left, part.firstColumn);
  rect.top = std::max(rect.top, part.firstRow);
  rect.right = std::min(rect.right, part.firstColumn + part.columns);
  rect.bottom = std::min(rect.bottom, part.firstRow + part.rows);
  if (rect.Empty()) {
    return;
  }
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

void DrawWholeGrid(const LockedScreen& screen, const GridView& view, const ShownCells& part) {
  FillRect(screen, kGridZone, kBlackIndex);
  if (view.pitch == layout::kStartPitch) {
    DrawStartLattice(screen);
  } else {
    DrawShownLattice(screen, view, part);
  }
  DrawGridCells(
      screen, view, part,
      {part.firstColumn, part.firstRow, part.firstColumn + part.columns, part.firstRow + part.rows});
}

// ---- The views ----------------------------------------------------------------

void DrawFrame(const LockedScreen& screen, layout::ScreenPoint view) {
  const layout::ScreenRect frame = layout::FrameAround(view);
  HorizontalLine(screen, frame.left, frame.right, frame.top, kWhiteIndex);
  HorizontalLine(screen, frame.left, frame.right, frame.bottom, kWhiteIndex);
  VerticalLine(screen, frame.left, frame.top, frame.bottom, kWhiteIndex);
  VerticalLine(screen, frame.right, frame.top, frame.bottom, kWhiteIndex);
}

// The view pixels whose image pixel lies in rect: x from (left + f - 1) / f.
ImageRect ViewPixelsOf(ImageRect rect, int factor) {
  const auto up = [factor](int value) { return (value + factor - 1) / factor; };
  return {std::min(up(rect.left), layout::kShownColumns), std::min(up(rect.top), layout::kShownRows),
          std::min(up(rect.right), layout::kShownColumns), std::min(up(rect.bottom), layout::kShownRows)};
}

// The image's picture in a view: pixels in rect (view pixels) drawn from
// the image, black beyond its picture.
void DrawViewPixels(const LockedScreen& screen, layout::ScreenPoint view, const IndexImage& image,
                    const ImageRect& rect) {
  const int factor = ViewFactor(image.width, image.height);
  for (int y = rect.top; y < rect.bottom; ++y) {
    std::uint8_t* out = screen.Row(view.y + y) + view.x;
    const std::int64_t row = std::int64_t{y} * factor;
    if (factor == 1 && row < image.height) {
      // At 1:1 a row is the image's row, black past its end.
      const int copied = std::clamp(image.width - rect.left, 0, rect.right - rect.left);
      if (copied > 0) {
        std::memcpy(out + rect.left, image.Row(static_cast<int>(row)) + rect.left,
                    static_cast<std::size_t>(copied));
      }
      std::memset(out + rect.left + copied, kBlackIndex,
                  static_cast<std::size_t>(rect.right - rect.left - copied));
      continue;
    }
    for (int x = rect.left; x < rect.right; ++x) {
      const std::int64_t column = std::int64_t{x} * factor;
      out[x] = image.Contains(column, row) ? image.At(static_cast<int>(column), static_cast<int>(row))
                                           : kBlackIndex;
    }
  }
}

// A dragged shape shows in the working view as it will land, at 1:1.
void DrawShapeInView(const LockedScreen& screen, const IndexImage& image, const ImageRect& rect) {
  if (!ShapeShown() || ViewFactor(image.width, image.height) != 1) {
    return;
  }
  for (const ImageCell& cell : ShownShapeCells()) {
    if (cell.column >= rect.left && cell.column < rect.right && cell.row >= rect.top &&
        cell.row < rect.bottom) {
      screen.Put(layout::kWorkingView.x + cell.column, layout::kWorkingView.y + cell.row, ShownShapeColour());
    }
  }
}

// Where a view shows less than the grid's part of the image would need:
// the part the grid shows, outlined in dots of black and white that read on
// any colour.
void DrawShownPartMark(const LockedScreen& screen, layout::ScreenPoint view, const IndexImage& image,
                       const ShownCells& part) {
  if (part.columns >= image.width && part.rows >= image.height) {
    return;
  }
  const int factor = ViewFactor(image.width, image.height);
  const int left = view.x + part.firstColumn / factor;
  const int top = view.y + part.firstRow / factor;
  const int right = view.x + std::max((part.firstColumn + part.columns + factor - 1) / factor - 1, 0);
  const int bottom = view.y + std::max((part.firstRow + part.rows + factor - 1) / factor - 1, 0);
  const auto dot = [&screen](int x, int y) {
    screen.Put(x, y, (x + y) % 2 == 0 ? kWhiteIndex : kBlackIndex);
  };
  for (int x = left; x <= right; ++x) {
    dot(x, top);
    dot(x, bottom);
  }
  for (int y = top; y <= bottom; ++y) {
    dot(left, y);
    dot(right, y);
  }
}

void DrawWorkingView(const LockedScreen& screen, const ShownCells& part, const ImageRect& changed) {
  const IndexImage& image = WorkingImage();
  const ImageRect pixels = ViewPixelsOf(changed, ViewFactor(image.width, image.height));
  DrawViewPixels(screen, layout::kWorkingView, image, pixels);
  DrawShapeInView(screen, image, changed);
  DrawShownPartMark(screen, layout::kWorkingView, image, part);
}

void DrawReferenceView(const LockedScreen& screen, const ShownCells& part) {
  if (ReferenceCoverLaid()) {
    const CoverPicture& picture = ReferenceCoverPicture();
    for (int y = 0; y < layout::kShownRows; ++y) {
      std::memcpy(screen.Row(layout::kReferenceView.y + y) + layout::kReferenceView.x,
                  picture.data() + static_cast<std::size_t>(y) * layout::kShownColumns,
                  layout::kShownColumns);
    }
    return;
  }
  const IndexImage& image = ReferenceImage();
  DrawViewPixels(screen, layout::kReferenceView, image, {0, 0, layout::kShownColumns, layout::kShownRows});
  DrawShownPartMark(screen, layout::kReferenceView, image, part);
}

}  // namespace

void DrawImageAreas() {
  KeepViewInImage();
  const IndexImage& working = WorkingImage();
  const Shown wanted{CurrentGridView(), working.width, working.height};
  const bool whole = !areas.valid || !(areas.shown == wanted);
  ImageRect changed = TakeWorkingChanges().Union(areas.changedBefore);
  const bool referenceImageChanged = TakeReferenceChange();
  const bool coverChanged = TakeCoverChange();
  const bool referenceChanged = referenceImageChanged || coverChanged || areas.referenceChangedBefore;
  if (!whole && changed.Empty() && !referenceChanged) {
    return;
  }
  LockedScreen screen{};
  if (!LockScreen(screen)) {
    areas.changedBefore = changed;
    areas.referenceChangedBefore = referenceChanged;
    return;
  }
  areas.changedBefore = ImageRect{};
  areas.referenceChangedBefore = false;
  const GridView& view = wanted.view;
  const ShownCells part = ShownPart(view, working.width, working.height);
  if (whole) {
    changed = {0, 0, working.width, working.height};
    DrawWholeGrid(screen, view, part);
    DrawFrame(screen, layout::kReferenceView);
    DrawFrame(screen, layout::kWorkingView);
    DrawViewPixels(screen, layout::kWorkingView, working, {0, 0, layout::kShownColumns, layout::kShownRows});
    DrawShapeInView(screen, working, changed);
    DrawShownPartMark(screen, layout::kWorkingView, working, part);
    DrawReferenceView(screen, part);
  } else {
    if (!changed.Empty()) {
      DrawGridCells(screen, view, part, changed);
      DrawWorkingView(screen, part, changed);
    }
    if (referenceChanged) {
      DrawReferenceView(screen, part);
    }
  }
  UnlockScreen();
  areas.valid = true;
  areas.shown = wanted;
}

void RedrawImageAreas() {
  areas.valid = false;
}

void ResetImageAreas() {
  areas = AreasState{};
}
