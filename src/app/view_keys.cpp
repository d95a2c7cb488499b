// The view's keys and mouse: zoom, pan, and a view clicked to move the grid.
#include "app/view_keys.h"

#include <algorithm>
#include <cstdint>

#include "app/editor_state.h"
#include "app/main_keys.h"
#include "canvas/grid_view.h"
#include "canvas/screen_layout.h"
#include "canvas/view_scale.h"
#include "platform/input.h"

namespace {

// A notch of the wheel, as DirectInput counts it.
constexpr int kWheelNotch = 120;

constexpr layout::ScreenRect kGridArea{layout::kGridOrigin.x, layout::kGridOrigin.y,
                                       layout::kGridOrigin.x + layout::kGridAreaWidth,
                                       layout::kGridOrigin.y + layout::kGridAreaHeight};

struct ViewMouse {
  int wheel = 0;
  // A drag of the image: where the cursor was, and the screen pixels moved
  // that have not yet made a whole cell.
  bool panning = false;
  std::int32_t lastX = 0;
  std::int32_t lastY = 0;
  std::int64_t restX = 0;
  std::int64_t restY = 0;
  // The left button went down in a view, or on the grid with Space held: it
  // is the view's until let go.
  bool leftTaken = false;
  bool leftWasDown = false;
};

ViewMouse mouse;

void Scroll(int columns, int rows) {
  const GridView& view = CurrentGridView();
  const int stepColumns = std::max(CellsAcross(view.pitch) / 4, 1);
  const int stepRows = std::max(CellsDown(view.pitch) / 4, 1);
  PanBy(std::int64_t{columns} * stepColumns, std::int64_t{rows} * stepRows);
}

bool InFrameOf(layout::ScreenPoint view, std::int32_t x, std::int32_t y) {
  return x >= view.x && y >= view.y && x < view.x + layout::kShownColumns && y < view.y + layout::kShownRows;
}

// A view pressed: the grid shows the image pixel under the cursor in its middle.
bool MoveGridToView(std::int32_t x, std::int32_t y) {
  for (const layout::ScreenPoint view : {layout::kWorkingView, layout::kReferenceView}) {
    if (InFrameOf(view, x, y)) {
      const ViewPick pick = ViewPixelAt(view, x, y, editorState.width, editorState.height);
      if (pick.found) {
        CentreOn(pick.column, pick.row);
      }
      return true;
    }
  }
  return false;
}

void FollowWheel() {
  const EditorState& s = editorState;
  mouse.wheel += s.mouseState.lZ;
  const int notches = mouse.wheel / kWheelNotch;
  mouse.wheel -= notches * kWheelNotch;
  if (notches != 0 && kGridArea.Contains(s.cursorX, s.cursorY)) {
    ZoomStep(notches, s.cursorX, s.cursorY);
  }
}

// The image follows the cursor by whole cells.
void FollowPan() {
  const EditorState& s = editorState;
  const int pitch = CurrentGridView().pitch;
  mouse.restX += s.cursorX - mouse.lastX;
  mouse.restY += s.cursorY - mouse.lastY;
  mouse.lastX = s.cursorX;
  mouse.lastY = s.cursorY;
  const std::int64_t columns = mouse.restX / pitch;
  const std::int64_t rows = mouse.restY / pitch;
  mouse.restX -= columns * pitch;
  mouse.restY -= rows * pitch;
  if (columns != 0 || rows != 0) {
    PanBy(-columns, -rows);
  }
}

}  // namespace

void ZoomToFitKey() {
  ZoomToFit();
}

void StartZoomKey() {
  // About the middle of the grid's area.
  ZoomAt(layout::kStartPitch, kGridArea.left + layout::kGridAreaWidth / 2,
         kGridArea.top + layout::kGridAreaHeight / 2);
}

void ScrollLeftKey() {
  Scroll(-1, 0);
}

void ScrollRightKey() {
  Scroll(1, 0);
}

void ScrollUpKey() {
  Scroll(0, -1);
}

void ScrollDownKey() {
  Scroll(0, 1);
}

void ResetViewMouse() {
  mouse = ViewMouse{};
}

bool FollowViewMouse() {
  const EditorState& s = editorState;
  FollowWheel();
  const bool left = s.mouseState.rgbButtons[0] != 0;
  const bool middle = s.mouseState.rgbButtons[2] != 0;
  // Alt with the left button picks a colour in the views.
  if (left && !mouse.leftWasDown && !MainKeyDown(plat::VK_MENU)) {
    const bool spacePan = MainKeyDown(plat::VK_SPACE) && kGridArea.Contains(s.cursorX, s.cursorY);
    mouse.leftTaken = spacePan || MoveGridToView(s.cursorX, s.cursorY);
  } else if (left && mouse.leftTaken && !MainKeyDown(plat::VK_SPACE)) {
    MoveGridToView(s.cursorX, s.cursorY);
  }
  if (!left) {
    mouse.leftTaken = false;
  }
  mouse.leftWasDown = left;
  const bool dragging = middle || (mouse.leftTaken && MainKeyDown(plat::VK_SPACE));
  if (dragging && !mouse.panning) {
    mouse.panning = true;
    mouse.lastX = s.cursorX;
    mouse.lastY = s.cursorY;
    mouse.restX = 0;
    mouse.restY = 0;
  } else if (dragging) {
    FollowPan();
  } else {
    mouse.panning = false;
  }
  return mouse.leftTaken;
}
