// The pen (B): every pass of a stroke over the painting area paints, joined to the pass before; pixel-perfect
// strokes drop the corner of every L of three pixels.
#include <cstdlib>
#include <unordered_map>

#include "app/edit_history.h"
#include "app/editor_state.h"
#include "canvas/drawing_aids.h"
#include "canvas/image_store.h"
#include "canvas/pen.h"
#include "canvas/screen_layout.h"
#include "canvas/selection.h"
#include "canvas/tools.h"
#include "platform/input.h"

namespace {

struct PenState {
  // The pen's pixel at the previous pass of a stroke, which this pass's joins.
  bool joined = false;
  ImageCell last{0, 0};
  // Pixel-perfect: the stroke's last two pixels in the order drawn, and
  // every pixel's colour before the stroke touched it.
  CellList path;
  std::unordered_map<long long, std::uint8_t> before;
};

PenState pen;

long long KeyOf(ImageCell cell) {
  return (static_cast<long long>(cell.row) << 32) ^ static_cast<unsigned>(cell.column);
}

void Paint(const CellList& cells) {
  if (cells.empty()) {
    return;
  }
  BeginStrokeStep();
  const IndexImage& image = WorkingImage();
  for (const ImageCell& cell : cells) {
    pen.before.try_emplace(KeyOf(cell), image.At(cell.column, cell.row));
  }
  PaintCells(cells, editorState.currentColor);
}

// b is the corner of an L when a and c touch by a corner and b touches each by a side.
bool Corner(ImageCell a, ImageCell b, ImageCell c) {
  const auto side = [](ImageCell p, ImageCell q) {
    return std::abs(p.column - q.column) + std::abs(p.row - q.row) == 1;
  };
  return std::abs(a.column - c.column) == 1 && std::abs(a.row - c.row) == 1 && side(a, b) && side(b, c);
}

// The dropped pixel and its mirrors as they were before the stroke.
void PutBack(ImageCell cell) {
  CellList cells;
  AppendMirrored(cell, cells);
  for (const ImageCell& each : cells) {
    const auto kept = pen.before.find(KeyOf(each));
    if (kept != pen.before.end()) {
      SetWorkingPixel(each.column, each.row, kept->second);
    }
  }
}

// One pixel of a pixel-perfect stroke, in the order drawn.
void PixelPerfectStep(ImageCell cell) {
  if (!pen.path.empty() && pen.path.back() == cell) {
    return;
  }
  if (pen.path.size() >= 2 && Corner(pen.path[pen.path.size() - 2], pen.path.back(), cell)) {
    PutBack(pen.path.back());
    pen.path.pop_back();
  }
  pen.path.push_back(cell);
  if (pen.path.size() > 2) {
    pen.path.erase(pen.path.begin());
  }
  CellList shown;
  if (InShownImage(cell) && PaintableCell(cell.column, cell.row)) {
    shown.push_back(cell);
  }
  CellList cells;
  AppendPaintedMirrors(shown, cells);
  Paint(cells);
}

void PenPass() {
  if (editorState.cursorY >= layout::kPaintBottom) {
    pen.joined = false;
    return;
  }
  const ImageCell cell = CursorCell();
  const bool quad = editorState.quadMode == 1;
  if (CurrentAids().pixelPerfect && !quad) {
    CellList line;
    AppendLine(pen.joined ? pen.last : cell, cell, line);
    for (const ImageCell& each : line) {
      PixelPerfectStep(each);
    }
  } else {
    CellList cells;
    AppendPenCells(pen.joined ? pen.last : cell, cell, quad, cells);
    Paint(cells);
  }
  pen.last = cell;
  pen.joined = true;
}

// A press places floating pixels first: the pen paints the image.
void PenPress() {
  if (editorState.cursorY < layout::kPaintBottom && OverImageInGrid()) {
    PlaceFloatingPixels();
  }
  pen = PenState{};
  PenPass();
}

void PenRelease() {
  pen = PenState{};
}

const char* PenName() {
  if (editorState.quadMode == 1) {
    return CurrentAids().pixelPerfect ? "Quad pen: no pixel-perfect" : "Quad pen";
  }
  return CurrentAids().pixelPerfect ? "Pen, pixel-perfect" : "Pen";
}

void PenChosen(bool) {}

void PenReset() {
  pen = PenState{};
}

}  // namespace

extern const ToolRecord kPenTool = {
    plat::VK_B, false,      "B",      "the pen (Quad: 2 x 2)", PenName, PenChosen, PenPress,
    PenPass,    PenRelease, PenReset,
};
