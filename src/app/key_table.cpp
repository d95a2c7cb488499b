// The binding table's rows.
#include "app/key_table.h"

#include <algorithm>
#include <array>

#include "app/colour_edit.h"
#include "app/edit_history.h"
#include "app/frame_keys.h"
#include "app/image_export.h"
#include "app/key_list.h"
#include "app/new_file.h"
#include "app/onion_skin.h"
#include "app/tool_keys.h"
#include "app/view_keys.h"
#include "canvas/drawing_aids.h"
#include "canvas/palette_panel.h"
#include "canvas/selection.h"
#include "canvas/tools.h"
#include "platform/input.h"

namespace {

using T = KeyTrigger;

constexpr KeyBinding Row(int key, std::uint8_t modifiers, KeyTrigger trigger, bool notDuringStroke,
                         void (*action)(), const char* keys, const char* meaning) {
  return {key, modifiers, trigger, notDuringStroke, action, nullptr, keys, meaning};
}

// The rows before the tools' and after them, in the order F1 lists them.
constexpr KeyBinding kFirstRows[] = {
    Row(plat::VK_F1, kPlain, T::Press, false, ShowKeyList, "F1", "these keys; F1 again: next page"),
    Row(plat::VK_ESCAPE, kPlain, T::EveryPass, false, EscapeKey, "Escape", "end pixed (in a prompt: cancel)"),
};

constexpr KeyBinding kLaterRows[] = {
    Row(plat::VK_X, kPlain, T::Press, true, ToggleMirrorLeftRight, "X", "mirror left and right: on, off"),
    Row(plat::VK_Y, kPlain, T::Press, true, ToggleMirrorTopBottom, "Y", "mirror top and bottom: on, off"),
    Row(plat::VK_P, kPlain, T::Press, true, TogglePixelPerfect, "P", "pixel-perfect pen: on, off"),
    Row(plat::VK_H, kShiftHeld, T::Press, true, FlipLeftToRight, "Shift+H", "flip left to right"),
    Row(plat::VK_V, kShiftHeld, T::Press, true, FlipTopToBottom, "Shift+V", "flip top to bottom"),
    Row(plat::VK_LEFT, kShiftHeld, T::Press, true, ShiftImageLeft, "Shift+arrows", "shift the image a pixel"),
    Row(plat::VK_RIGHT, kShiftHeld, T::Press, true, ShiftImageRight, "", "shift the image a pixel"),
    Row(plat::VK_UP, kShiftHeld, T::Press, true, ShiftImageUp, "", "shift the image a pixel"),
    Row(plat::VK_DOWN, kShiftHeld, T::Press, true, ShiftImageDown, "", "shift the image a pixel"),
    Row(plat::VK_OEM_4, kPlain, T::Repeating, true, PreviousColour, "[ and ]", "previous or next colour"),
    Row(plat::VK_OEM_6, kPlain, T::Repeating, true, NextColour, "", "previous or next colour"),
    Row(plat::VK_A, kControlHeld, T::Press, true, SelectAll, "Ctrl+A", "select the whole image"),
    Row(plat::VK_D, kControlHeld, T::Press, true, DropSelection, "Ctrl+D", "drop the selection (placed)"),
    Row(plat::VK_C, kControlHeld, T::Press, true, CopySelection, "Ctrl+C", "copy the selection"),
    Row(plat::VK_X, kControlHeld, T::Press, true, CutSelection, "Ctrl+X", "cut it (copy, then colour 0)"),
    Row(plat::VK_V, kControlHeld, T::Press, true, PasteClipboard, "Ctrl+V", "paste it where it was copied"),
    Row(plat::VK_DELETE, kPlain, T::Press, true, DeleteSelection, "Delete", "fill the selection with 0"),
    Row(plat::VK_F3, kPlain, T::Press, false, ToggleOnionSkin, "F3", "onion skin: the images either side"),
    Row(plat::VK_PRIOR, kPlain, T::Press, false, PreviousPanelPage, "PageUp, PageDown",
        "the palette's previous or next 81"),
    Row(plat::VK_NEXT, kPlain, T::Press, false, NextPanelPage, "", "the palette's previous or next 81"),
    Row(plat::VK_F4, kPlain, T::Press, true, EditColourKey, "F4", "edit the current colour (rrggbb)"),
    Row(plat::VK_Z, kControlHeld, T::Repeating, false, UndoKey, "Ctrl+Z", "undo"),
    Row(plat::VK_Y, kControlHeld, T::Repeating, false, RedoKey, "Ctrl+Y", "redo"),
    Row(plat::VK_Z, kControlHeld | kShiftHeld, T::Repeating, false, RedoKey, "Ctrl+Shift+Z", "redo"),
    Row(plat::VK_LEFT, kPlain, T::Press, true, PreviousImageKey, "Left, Right", "the previous or next image"),
    Row(plat::VK_RIGHT, kPlain, T::Press, true, NextImageKey, "", "the previous or next image"),
    Row(plat::VK_HOME, kPlain, T::Press, true, FirstImageKey, "Home, End", "the first or the last image"),
    Row(plat::VK_END, kPlain, T::Press, true, LastImageKey, "", "the first or the last image"),
    Row(plat::VK_S, kControlHeld, T::Press, false, SaveOverShownImage, "Ctrl+S",
        "save over its image, or add it"),
    Row(plat::VK_E, kControlHeld | kShiftHeld, T::Press, true, ExportImagesKey, "Ctrl+Shift+E",
        "export as GIF, sheet and PNG"),
    Row(plat::VK_N, kAltHeld, T::Press, false, AppendImageKey, "Alt+N", "add the image to the save file"),
    Row(plat::VK_N, kControlHeld, T::Press, true, NewFileKey, "Ctrl+N", "new file: name, width, height"),
    Row(plat::VK_RETURN, kPlain, T::Press, false, PlayOrStopKey, "Enter", "play the images, or stop"),
    Row(plat::VK_OEM_PLUS, kAnyShift, T::Press, false, FasterKey, "+ and -", "play faster or slower"),
    Row(plat::VK_ADD, kAnyShift, T::Press, false, FasterKey, "", "play faster or slower"),
    Row(plat::VK_OEM_MINUS, kAnyShift, T::Press, false, SlowerKey, "", "play faster or slower"),
    Row(plat::VK_SUBTRACT, kAnyShift, T::Press, false, SlowerKey, "", "play faster or slower"),
    Row(plat::VK_0, kControlHeld, T::Press, false, ZoomToFitKey, "Ctrl+0", "zoom so the image fits"),
    Row(plat::VK_1, kControlHeld, T::Press, false, StartZoomKey, "Ctrl+1", "back to the cells of 5"),
    Row(plat::VK_LEFT, kControlHeld, T::Repeating, false, ScrollLeftKey, "Ctrl+arrows", "scroll the grid"),
    Row(plat::VK_RIGHT, kControlHeld, T::Repeating, false, ScrollRightKey, "", "scroll the grid"),
    Row(plat::VK_UP, kControlHeld, T::Repeating, false, ScrollUpKey, "", "scroll the grid"),
    Row(plat::VK_DOWN, kControlHeld, T::Repeating, false, ScrollDownKey, "", "scroll the grid"),
};

std::vector<KeyBinding> MakeBindings() {
  std::vector<KeyBinding> rows(std::begin(kFirstRows), std::end(kFirstRows));
  for (const ToolRecord* tool : ToolTable()) {
    rows.push_back({tool->key, tool->shift ? kShiftHeld : kPlain, T::Press, true, nullptr, tool, tool->keys,
                    tool->meaning});
  }
  rows.insert(rows.end(), std::begin(kLaterRows), std::end(kLaterRows));
  return rows;
}

std::vector<int> MakeLoopKeys() {
  // Space, held, turns a drag of the left button into a pan (view_keys).
  std::vector<int> keys = {plat::VK_SHIFT, plat::VK_CONTROL, plat::VK_MENU, plat::VK_SPACE};
  for (int letter = 'A'; letter <= 'Z'; ++letter) {
    keys.push_back(letter);
  }
  for (const KeyBinding& binding : KeyBindings()) {
    keys.push_back(binding.key);
  }
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  return keys;
}

}  // namespace

const std::vector<KeyBinding>& KeyBindings() {
  static const std::vector<KeyBinding> bindings = MakeBindings();
  return bindings;
}

std::span<const int> LoopKeys() {
  static const std::vector<int> keys = MakeLoopKeys();
  return keys;
}
