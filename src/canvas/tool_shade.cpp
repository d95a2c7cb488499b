// Shading (D): each pixel a stroke passes, once a stroke, steps to the next entry of its panel column (the
// previous one with Shift held), within the column of the current colour.
#include <unordered_set>

#include "app/edit_history.h"
#include "app/editor_state.h"
#include "app/main_keys.h"
#include "canvas/image_store.h"
#include "canvas/palette_columns.h"
#include "canvas/pen.h"
#include "canvas/screen_layout.h"
#include "canvas/selection.h"
#include "canvas/tools.h"
#include "platform/input.h"

namespace {

struct ShadeState {
  bool joined = false;
  ImageCell last{0, 0};
  // The pixels shaded in this stroke: each is shaded once.
  std::unordered_set<long long> shaded;
};

ShadeState shade;

void ShadePass() {
  if (editorState.cursorY >= layout::kPaintBottom) {
    shade.joined = false;
    return;
  }
  const ImageCell cell = CursorCell();
  CellList cells;
  AppendPenCells(shade.joined ? shade.last : cell, cell, false, cells);
  shade.last = cell;
  shade.joined = true;
  // Only the current colour's column, and no wrap past its ends.
  const EntryRange column = PanelColumnOf(editorState.currentColor & 0xFF);
  const int step = MainKeyDown(plat::VK_SHIFT) ? -1 : 1;
  const IndexImage& image = WorkingImage();
  for (const ImageCell& each : cells) {
    const long long key = (static_cast<long long>(each.row) << 32) ^ static_cast<unsigned>(each.column);
    if (!shade.shaded.insert(key).second) {
      continue;
    }
    const int index = image.At(each.column, each.row);
    const int shaded = index + step;
    if (index < column.first || index > column.last || shaded < column.first || shaded > column.last) {
      continue;
    }
    BeginStrokeStep();
    SetWorkingPixel(each.column, each.row, shaded);
  }
}

void ShadePress() {
  if (editorState.cursorY < layout::kPaintBottom && OverImageInGrid()) {
    PlaceFloatingPixels();
  }
  shade = ShadeState{};
  ShadePass();
}

void ShadeRelease() {
  shade = ShadeState{};
}

const char* ShadeName() {
  return "Shade";
}

void ShadeChosen(bool) {}

}  // namespace

extern const ToolRecord kShadeTool = {
    plat::VK_D,   false,        "D",        "shade: next in the column; Shift: back",
    ShadeName,    ShadeChosen,  ShadePress, ShadePass,
    ShadeRelease, ShadeRelease,
};
