// The fill (G): at the press, the area of one colour; with Shift held, every pixel of that colour.
#include "app/editor_state.h"
#include "app/main_keys.h"
#include "canvas/fill.h"
#include "canvas/selection.h"
#include "canvas/tools.h"
#include "platform/input.h"

namespace {

void FillPress() {
  if (OverImageInGrid()) {
    PlaceFloatingPixels();
    FillImage(CursorCell(), editorState.currentColor, MainKeyDown(plat::VK_SHIFT));
  }
}

void Nothing() {}

void NothingAgain(bool) {}

const char* FillName() {
  return "Fill";
}

}  // namespace

extern const ToolRecord kFillTool = {
    plat::VK_G, false,   "G",     "fill; with Shift: all of one colour", FillName, NothingAgain, FillPress,
    Nothing,    Nothing, Nothing,
};
