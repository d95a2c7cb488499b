// The tools' keys, read once a pass from the main loop's keys.
#include "app/tool_keys.h"

#include "app/editor_hits.h"
#include "app/editor_state.h"
#include "app/main_keys.h"
#include "canvas/image_moves.h"
#include "canvas/screen_layout.h"
#include "canvas/tools.h"
#include "platform/input.h"

namespace {

constexpr int kPanelColours = layout::kSwatchColumns * layout::kSwatchRows;

struct ToolKey {
  int key;
  bool shift;
  Tool tool;
};

// U again switches the rectangle between outlined and filled, Shift+U the ellipse.
constexpr ToolKey kToolKeys[] = {
    {plat::VK_B, false, Tool::Pen},       {plat::VK_G, false, Tool::Fill},   {plat::VK_L, false, Tool::Line},
    {plat::VK_U, false, Tool::Rectangle}, {plat::VK_U, true, Tool::Ellipse},
};

struct ShiftKey {
  int key;
  int columns;
  int rows;
};

constexpr ShiftKey kShiftKeys[] = {
    {plat::VK_LEFT, -1, 0},
    {plat::VK_RIGHT, 1, 0},
    {plat::VK_UP, 0, -1},
    {plat::VK_DOWN, 0, 1},
};

}  // namespace

void FollowToolKeys() {
  if (editorState.mouseState.rgbButtons[0] != 0 || ShapeBeingDragged() || MainKeyDown(plat::VK_CONTROL)) {
    return;
  }
  const bool shift = MainKeyDown(plat::VK_SHIFT);
  for (const ToolKey& key : kToolKeys) {
    if (MainKeyPressed(key.key) && key.shift == shift) {
      ChooseTool(key.tool);
    }
  }
  if (shift && MainKeyPressed(plat::VK_H)) {
    FlipImage(FlipAxis::LeftToRight);
  }
  if (shift && MainKeyPressed(plat::VK_V)) {
    FlipImage(FlipAxis::TopToBottom);
  }
  for (const ShiftKey& key : kShiftKeys) {
    if (shift && MainKeyPressed(key.key)) {
      ShiftImage(key.columns, key.rows);
    }
  }
  if (MainKeyPressed(plat::VK_OEM_4)) {
    StepColour(-1);
  }
  if (MainKeyPressed(plat::VK_OEM_6)) {
    StepColour(1);
  }
}

void StepColour(int step) {
  const int colour = editorState.currentColor;
  if (colour < 0 || colour >= kPanelColours) {
    editorState.currentColor = step > 0 ? 0 : kPanelColours - 1;
  } else {
    editorState.currentColor = (colour + step + kPanelColours) % kPanelColours;
  }
  ShowColourStatus();
}
