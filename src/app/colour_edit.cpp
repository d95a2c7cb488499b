// The colour edit: its prompt, the hex entry and what the entry's text gives.
#include "app/colour_edit.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/action_common.h"
#include "app/editor_hits.h"
#include "app/editor_message.h"
#include "app/editor_state.h"
#include "app/palette_in_force.h"
#include "canvas/screen_layout.h"
#include "draw/primitives.h"
#include "textentry/entry.h"
#include "textentry/hex_colour.h"

namespace {

bool editAsked = false;

// Why the typed text changes nothing, naming the colour that stays.
std::string RefusalOf(HexColourText read, int colour) {
  const std::string stays = " Color " + std::to_string(colour) + " unchanged.";
  if (read == HexColourText::NotHex) {
    return std::string("'") + FirstNonHexCharacter(hexText) + "' is no hex digit (0-9, a-f)." + stays;
  }
  return "A color takes 6 hex digits (rrggbb)." + stays;
}

}  // namespace

void EditColourKey() {
  editAsked = true;
}

bool FollowColourEdit() {
  if (!editAsked) {
    return false;
  }
  editAsked = false;
  const int colour = std::clamp(static_cast<int>(editorState.currentColor), 0, layout::kPaletteEntries - 1);
  EraseEditorMessage();
  EraseRegion(layout::kPromptAreaRegion);
  std::snprintf(textLine, sizeof textLine, "Color %d is %s. New:", colour,
                HexOfColour(PaletteInForce()[static_cast<std::size_t>(colour)]).c_str());
  DrawPrompt(textLine);
  const bool entered = EnterHexColour() == 1;
  EraseRegion(layout::kPromptAreaRegion);
  if (!entered) {
    return true;
  }
  PaletteColour typed{};
  const HexColourText read = ReadHexColour(hexText, &typed);
  if (read == HexColourText::Taken) {
    ChangePaletteColour(colour, typed);
    FollowPaletteChanges();
    ShowColourStatus();
  } else if (read != HexColourText::Empty) {
    ShowEditorMessage(RefusalOf(read, colour), kPromptColour);
  }
  return true;
}
