// The drawing aids' settings and the mirrors of a cell.
#include "canvas/drawing_aids.h"

#include <algorithm>
#include <unordered_set>

#include "app/editor_state.h"

namespace {

DrawingAids aids;
unsigned changes = 0;

}  // namespace

const DrawingAids& CurrentAids() {
  return aids;
}

void ToggleMirrorLeftRight() {
  aids.mirrorLeftRight = !aids.mirrorLeftRight;
  ++changes;
}

void ToggleMirrorTopBottom() {
  aids.mirrorTopBottom = !aids.mirrorTopBottom;
  ++changes;
}

void TogglePixelPerfect() {
  aids.pixelPerfect = !aids.pixelPerfect;
  ++changes;
}

void ResetAids() {
  aids = DrawingAids{};
  ++changes;
}

unsigned AidChanges() {
  return changes;
}

void AppendMirrored(ImageCell cell, CellList& cells) {
  const ImageCell across{MirroredIndex(cell.column, editorState.width), cell.row};
  const ImageCell down{cell.column, MirroredIndex(cell.row, editorState.height)};
  const ImageCell both{across.column, down.row};
  const std::size_t first = cells.size();
  const auto add = [&cells, first](ImageCell each) {
    if (std::find(cells.begin() + static_cast<std::ptrdiff_t>(first), cells.end(), each) == cells.end()) {
      cells.push_back(each);
    }
  };
  add(cell);
  if (aids.mirrorLeftRight) {
    add(across);
  }
  if (aids.mirrorTopBottom) {
    add(down);
  }
  if (aids.mirrorLeftRight && aids.mirrorTopBottom) {
    add(both);
  }
}

CellList WithMirrors(const CellList& cells) {
  if (!aids.mirrorLeftRight && !aids.mirrorTopBottom) {
    return cells;
  }
  CellList mirrored;
  std::unordered_set<long long> seen;
  for (const ImageCell& cell : cells) {
    CellList four;
    AppendMirrored(cell, four);
    for (const ImageCell& each : four) {
      const long long key = (static_cast<long long>(each.row) << 32) ^ static_cast<unsigned>(each.column);
      if (seen.insert(key).second) {
        mirrored.push_back(each);
      }
    }
  }
  return mirrored;
}
