// The editing grid and the two views drawn from the images in memory, only where something changed.
#include "draw/image_areas.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "app/editor_state.h"
#include "canvas/drawing_aids.h"
#include "canvas/grid_view.h"
#include "canvas/image_store.h"
#include "canvas/locked_screen.h"
#include "canvas/onion_layer.h"
#include "canvas/reference_cover.h"
#include "canvas/screen_colours.h"
#include "canvas/screen_layout.h"
#include "canvas/shape_preview.h"
#include "canvas/view_scale.h"
#include "draw/grid_drawing.h"
#include "draw/screen_fill.h"

namespace {

// What the screen shows: when any of it differs from what is wanted, the
// areas are drawn whole.
struct Shown {
  GridView view;
  int width = -1;
  int height = -1;
  std::uint64_t onionChanges = 0;
  unsigned aidChanges = 0;

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

// Floating pixels and a dragged shape show in the working view as they will
// land, at 1:1.
void DrawOverlaysInView(const LockedScreen& screen, const IndexImage& image, const ImageRect& rect) {
  if (ViewFactor(image.width, image.height) != 1) {
    return;
  }
  const Selection& selection = CurrentSelection();
  if (selection.floating) {
    const ImageRect over{std::max({rect.left, selection.rect.left, 0}),
                         std::max({rect.top, selection.rect.top, 0}),
                         std::min({rect.right, selection.rect.right, image.width}),
                         std::min({rect.bottom, selection.rect.bottom, image.height})};
    for (int row = over.top; row < over.bottom; ++row) {
      const std::uint8_t* from = selection.pixels.Row(row - selection.rect.top) - selection.rect.left;
      std::uint8_t* to = screen.Row(layout::kWorkingView.y + row) + layout::kWorkingView.x;
      for (int column = over.left; column < over.right; ++column) {
        if (from[column] != 0) {
          to[column] = from[column];
        }
      }
    }
  }
  if (!ShapeShown()) {
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
  DrawOverlaysInView(screen, image, changed);
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
  const Shown wanted{CurrentGridView(), working.width, working.height, OnionChanges(), AidChanges()};
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
    DrawOverlaysInView(screen, working, changed);
    DrawShownPartMark(screen, layout::kWorkingView, working, part);
    DrawReferenceView(screen, part);
  } else {
    if (!changed.Empty()) {
      DrawGridPart(screen, view, part, changed);
      DrawWorkingView(screen, part, changed);
    }
    if (referenceChanged) {
      DrawReferenceView(screen, part);
    }
  }
  DrawMarquee(screen, view, part);
  DrawMirrorAxes(screen, view, part);
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
