// The editing grid's pitch and the part of the image it shows, and the mapping between the screen and the
// image.
#include "canvas/grid_view.h"

#include <algorithm>

#include "app/editor_state.h"

namespace {

GridView view;

int ImageWidth() {
  return std::max(editorState.width, 0);
}

int ImageHeight() {
  return std::max(editorState.height, 0);
}

// Where the cell of a shown column or row begins, counted from the grid's origin.
std::int64_t Offset(int pitch, std::int64_t shown) {
  return std::int64_t{pitch} * shown;
}

// The first column (or row) shown is never further off the image than its edge.
int Clamped(std::int64_t first, int size, int cells) {
  return static_cast<int>(std::clamp<std::int64_t>(first, 0, std::max(size - cells, 0)));
}

GridView Settled(GridView wanted) {
  wanted.pitch = std::clamp(wanted.pitch, layout::kLeastPitch, layout::kMostPitch);
  wanted.firstColumn = Clamped(wanted.firstColumn, ImageWidth(), CellsAcross(wanted.pitch));
  wanted.firstRow = Clamped(wanted.firstRow, ImageHeight(), CellsDown(wanted.pitch));
  return wanted;
}

bool Become(const GridView& wanted) {
  const GridView settled = Settled(wanted);
  if (settled == view) {
    return false;
  }
  view = settled;
  return true;
}

}  // namespace

int CellsAcross(int pitch) {
  return layout::kGridAreaWidth / std::max(pitch, 1);
}

int CellsDown(int pitch) {
  return layout::kGridAreaHeight / std::max(pitch, 1);
}

bool PitchHasLines(int pitch) {
  return pitch >= layout::kLeastPitchWithLines;
}

ImageCell GridCellAt(const GridView& at, std::int64_t x, std::int64_t y) {
  const int pitch = std::max(at.pitch, 1);
  // With lines, a cell's inside begins a pixel below its line, which belongs to the cell above.
  const std::int64_t rowOrigin = layout::kGridOrigin.y + (PitchHasLines(pitch) ? 1 : 0);
  const std::int64_t column = at.firstColumn + (x - layout::kGridOrigin.x) / pitch;
  const std::int64_t row = at.firstRow + (y - rowOrigin) / pitch;
  // From a 32-bit screen position a column or row fits in an int.
  return {static_cast<int>(std::clamp<std::int64_t>(column, INT32_MIN, INT32_MAX)),
          static_cast<int>(std::clamp<std::int64_t>(row, INT32_MIN, INT32_MAX))};
}

layout::ScreenRect GridCellRect(const GridView& at, int column, int row) {
  const int pitch = std::max(at.pitch, 1);
  const int inset = PitchHasLines(pitch) ? 1 : 0;
  const auto left = static_cast<int>(layout::kGridOrigin.x + Offset(pitch, column - at.firstColumn) + inset);
  const auto top = static_cast<int>(layout::kGridOrigin.y + Offset(pitch, row - at.firstRow) + inset);
  return {left, top, left + pitch - inset, top + pitch - inset};
}

ShownCells ShownPart(const GridView& at, int width, int height) {
  return {at.firstColumn, at.firstRow,
          std::clamp(std::max(width, 0) - at.firstColumn, 0, CellsAcross(at.pitch)),
          std::clamp(std::max(height, 0) - at.firstRow, 0, CellsDown(at.pitch))};
}

int FittingPitch(int width, int height) {
  const int across = layout::kGridAreaWidth / std::max(width, 1);
  const int down = layout::kGridAreaHeight / std::max(height, 1);
  return std::clamp(std::min(across, down), layout::kLeastPitch, layout::kMostPitch);
}

const GridView& CurrentGridView() {
  return view;
}

void ResetGridView() {
  view = GridView{};
}

bool ZoomToFit() {
  return Become({FittingPitch(ImageWidth(), ImageHeight()), 0, 0});
}

bool ZoomAt(int pitch, std::int64_t x, std::int64_t y) {
  pitch = std::clamp(pitch, layout::kLeastPitch, layout::kMostPitch);
  if (pitch == view.pitch) {
    return false;
  }
  // The pixel under (x, y) now, and where it lies from the grid's origin at the new pitch.
  const ImageCell under = GridCellAt(view, x, y);
  const ImageCell offset = GridCellAt({pitch, 0, 0}, x, y);
  return Become({pitch, under.column - offset.column, under.row - offset.row});
}

bool ZoomStep(int steps, std::int64_t x, std::int64_t y) {
  return ZoomAt(view.pitch + steps, x, y);
}

bool PanBy(std::int64_t columns, std::int64_t rows) {
  const std::int64_t column = view.firstColumn + std::clamp<std::int64_t>(columns, -INT32_MAX, INT32_MAX);
  const std::int64_t row = view.firstRow + std::clamp<std::int64_t>(rows, -INT32_MAX, INT32_MAX);
  return Become({view.pitch, Clamped(column, ImageWidth(), CellsAcross(view.pitch)),
                 Clamped(row, ImageHeight(), CellsDown(view.pitch))});
}

bool CentreOn(std::int64_t column, std::int64_t row) {
  const std::int64_t first = column - CellsAcross(view.pitch) / 2;
  const std::int64_t top = row - CellsDown(view.pitch) / 2;
  return Become({view.pitch, Clamped(first, ImageWidth(), CellsAcross(view.pitch)),
                 Clamped(top, ImageHeight(), CellsDown(view.pitch))});
}

void KeepViewInImage() {
  Become(view);
}
