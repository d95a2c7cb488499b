// The tool in use, and the left button's press, drag and release handed to it.
#include "canvas/tools.h"

#include "app/editor_state.h"
#include "canvas/pen.h"
#include "canvas/screen_layout.h"

namespace {

struct ToolState {
  const ToolRecord* tool = nullptr;
  // The left button at the previous pass, and the tool its press went to.
  bool leftWasDown = false;
  const ToolRecord* pressed = nullptr;
};

ToolState state;

}  // namespace

const ToolRecord* ToolWithKey(int key, bool shift) {
  for (const ToolRecord* tool : ToolTable()) {
    if (tool->key == key && tool->shift == shift) {
      return tool;
    }
  }
  return nullptr;
}

void ResetTools() {
  for (const ToolRecord* tool : ToolTable()) {
    tool->reset();
  }
  state = ToolState{};
  state.tool = ToolTable().front();
}

void ChooseTool(const ToolRecord& tool) {
  if (state.leftWasDown) {
    return;
  }
  const bool again = &tool == &CurrentTool();
  state.tool = &tool;
  tool.chosen(again);
}

const ToolRecord& CurrentTool() {
  return state.tool != nullptr ? *state.tool : *ToolTable().front();
}

void PressOrDragTool() {
  if (!state.leftWasDown) {
    state.leftWasDown = true;
    state.pressed = &CurrentTool();
    state.pressed->press();
  } else if (state.pressed != nullptr) {
    state.pressed->drag();
  }
}

void ReleaseTool() {
  if (state.leftWasDown && state.pressed != nullptr) {
    state.pressed->release();
  }
  state.leftWasDown = false;
  state.pressed = nullptr;
}

bool ToolHeld() {
  return state.leftWasDown;
}

ImageCell CursorCell() {
  return CellAtCursor(editorState.cursorX, editorState.cursorY);
}

bool OverImageInGrid() {
  const EditorState& s = editorState;
  return s.cursorX >= layout::kGridOrigin.x && s.cursorY >= layout::kGridOrigin.y &&
         s.cursorY < layout::kPaintBottom && InShownImage(CursorCell());
}
