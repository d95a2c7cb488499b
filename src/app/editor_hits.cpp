// The button bar and the palette pick of the main loop, and the colour status of every pick.
#include "app/editor_hits.h"

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>

#include "app/editor_state.h"
#include "app/palette_in_force.h"
#include "canvas/palette_panel.h"
#include "canvas/screen_colours.h"
#include "canvas/screen_layout.h"
#include "draw/primitives.h"
#include "platform/system.h"
#include "textentry/hex_colour.h"

namespace {

struct BarButton {
  const char* bitmap;
  layout::ScreenPoint place;
  ButtonAction action;  // None for Quad, which toggles instead
};

constexpr BarButton kLoad = {"load_button.bmp", layout::kLoadButton, ButtonAction::Load};
constexpr BarButton kSave = {"save_button.bmp", layout::kSaveButton, ButtonAction::Save};
constexpr BarButton kClear = {"clear_button.bmp", layout::kClearButton, ButtonAction::Clear};
constexpr BarButton kQuit = {"quit_button.bmp", layout::kQuitButton, ButtonAction::Quit};
constexpr BarButton kSettings = {"settings_button.bmp", layout::kSettingsButton, ButtonAction::Settings};
constexpr BarButton kQuad = {nullptr, layout::kQuadButton, ButtonAction::None};
constexpr BarButton kOffset = {"offset.bmp", layout::kOffsetButton, ButtonAction::Offset};

constexpr const char* kQuadOn = "quad_on_button.bmp";
constexpr const char* kQuadOff = "quad_off_button.bmp";

// Hit rectangles are open: a cursor on the border line does not hit.
bool Hits(const BarButton& button, std::int32_t x, std::int32_t y) {
  const layout::ScreenPoint at = button.place;
  return at.x < x && x < at.x + layout::kButtonWidth && at.y < y && y < at.y + layout::kButtonHeight;
}

void PlayClick() {
  plat::PlaySoundA(clickSound, editorState.instanceHandle, plat::SND_RESOURCE | plat::SND_ASYNC);
}

// One press toggles once: each branch disarms, and only a release re-arms.
void HitQuad() {
  EditorState& s = editorState;
  if (s.quadMode == 0 && s.clickArmed == 1) {
    s.quadMode = 1;
    PlayClick();
    DrawBitmapFile(displayDevice.primarySurface, kQuad.place.x, kQuad.place.y, kQuadOn);
    s.clickArmed = 0;
  }
  if (s.quadMode == 1 && s.clickArmed == 1) {
    s.quadMode = 0;
    PlayClick();
    DrawBitmapFile(displayDevice.primarySurface, kQuad.place.x, kQuad.place.y, kQuadOff);
    s.clickArmed = 0;
  }
}

// An action's button acts once a press: a click that lasts several passes
// (a slow machine, a busy browser) must not save the image twice.
bool actionsArmed = true;

// The widest colour status: "color 255", the start colour, shown by a pick
// between the rows; every other colour is a panel index.
constexpr int kColourStatusCells = 9;

}  // namespace

void DrawButtonBar() {
  plat::DrawSurface* surface = displayDevice.primarySurface;
  for (const BarButton* button : {&kLoad, &kSave, &kClear, &kQuit, &kSettings, &kOffset}) {
    DrawBitmapFile(surface, button->place.x, button->place.y, button->bitmap);
  }
  DrawBitmapFile(surface, kQuad.place.x, kQuad.place.y, editorState.quadMode == 1 ? kQuadOn : kQuadOff);
}

void HitButtonBar(std::int32_t x, std::int32_t y) {
  for (const BarButton* button : {&kLoad, &kSave, &kClear, &kQuit, &kSettings, &kQuad, &kOffset}) {
    if (!Hits(*button, x, y)) {
      continue;
    }
    if (button == &kQuad) {
      HitQuad();
    } else if (actionsArmed) {
      editorState.pendingAction = button->action;
      actionsArmed = false;
    }
  }
}

void RearmButtonBar() {
  actionsArmed = true;
}

int PaletteColourAt(std::int32_t x, std::int32_t y) {
  int row = -1;
  for (int k = 0; k < layout::kSwatchRows; ++k) {
    if (layout::InPickRow(y, k)) {
      row = k;
    }
  }
  // Between the rows nothing is picked, so the colour stays a panel index.
  if (row < 0) {
    return -1;
  }
  int column = 0;
  if (layout::kPickMiddleColumnAfter < x && x < layout::kPickMiddleColumnBefore) {
    column = 1;
  } else if (x > layout::kPickRightColumnAfter) {
    column = 2;
  }
  return PanelEntry(row + column * layout::kSwatchRows);
}

void PickPaletteColour(std::int32_t x, std::int32_t y) {
  const int colour = PaletteColourAt(x, y);
  if (colour >= 0) {
    editorState.currentColor = colour;
  }
  ShowColourStatus();
}

void ShowColourStatus() {
  // Region 7 lies elsewhere; the padding clears the digit a longer number left.
  EraseRegion(layout::kColourNumberRegion);
  std::snprintf(textLine, sizeof textLine, "color %d", static_cast<int>(editorState.currentColor));
  PadToCells(textLine, sizeof textLine, kColourStatusCells);
  DrawTextAt(textLine, layout::kColourStatus.x, layout::kColourStatus.y, kWhiteInk,
             displayDevice.primarySurface);
  const int colour = std::clamp(static_cast<int>(editorState.currentColor), 0, layout::kPaletteEntries - 1);
  const std::string hex = HexOfColour(PaletteInForce()[static_cast<std::size_t>(colour)]);
  const std::string name = ColourName(colour);
  // "#rrggbb name", cut at the screen's edge.
  std::snprintf(textLine, sizeof textLine, "#%s %s", hex.c_str(), name.c_str());
  textLine[layout::kColourNameCells] = '\0';
  PadToCells(textLine, sizeof textLine, layout::kColourNameCells);
  DrawTextAt(textLine, layout::kColourNameStatus.x, layout::kColourNameStatus.y, kWhiteInk,
             displayDevice.primarySurface);
}
