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
  char line[80];
  if (read == HexColourText::NotHex) {
    std::snprintf(line, sizeof line, "'%c' is no hex digit (0-9, a-f). Color %d unchanged.",
                  FirstNonHexCharacter(hexText), colour);
  } else {
    std::snprintf(line, sizeof line, "A color takes 6 hex digits (rrggbb). Color %d unchanged.", colour);
  }
  return line;
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
