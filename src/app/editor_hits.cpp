// The button bar and the palette pick of the main loop, and the colour status of every pick.
#include "app/editor_hits.h"

#include <cstdio>
#include <initializer_list>

#include "app/editor_state.h"
#include "draw/primitives.h"
#include "platform/system.h"

namespace {

struct BarButton {
  const char* bitmap;
  int left;
  int top;
  ButtonAction action;  // None for Quad, which toggles instead
};

constexpr BarButton kLoad = {"load_button.bmp", 160, 500, ButtonAction::Load};
constexpr BarButton kSave = {"save_button.bmp", 285, 500, ButtonAction::Save};
constexpr BarButton kClear = {"clear_button.bmp", 410, 500, ButtonAction::Clear};
constexpr BarButton kQuit = {"quit_button.bmp", 535, 500, ButtonAction::Quit};
constexpr BarButton kSettings = {"settings_button.bmp", 160, 540, ButtonAction::Settings};
constexpr BarButton kQuad = {nullptr, 285, 540, ButtonAction::None};
constexpr BarButton kOffset = {"offset.bmp", 410, 540, ButtonAction::Offset};

constexpr const char* kQuadOn = "quad_on_button.bmp";
constexpr const char* kQuadOff = "quad_off_button.bmp";

// Hit rectangles are open: a cursor on the border line does not hit.
bool Hits(const BarButton& button, std::int32_t x, std::int32_t y) {
  return button.left < x && x < button.left + 89 && button.top < y && y < button.top + 23;
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
    DrawBitmapFile(displayDevice.primarySurface, kQuad.left, kQuad.top, kQuadOn);
    s.clickArmed = 0;
  }
  if (s.quadMode == 1 && s.clickArmed == 1) {
    s.quadMode = 0;
    PlayClick();
    DrawBitmapFile(displayDevice.primarySurface, kQuad.left, kQuad.top, kQuadOff);
    s.clickArmed = 0;
  }
}

// The widest colour status: "color 255", the start colour, shown by a pick
// between the rows; every other colour is a panel index.
constexpr int kColourStatusCells = 9;

}  // namespace

void DrawButtonBar() {
  plat::DrawSurface* surface = displayDevice.primarySurface;
  for (const BarButton* button : {&kLoad, &kSave, &kClear, &kQuit, &kSettings, &kOffset}) {
    DrawBitmapFile(surface, button->left, button->top, button->bitmap);
  }
  DrawBitmapFile(surface, kQuad.left, kQuad.top, editorState.quadMode == 1 ? kQuadOn : kQuadOff);
}

void HitButtonBar(std::int32_t x, std::int32_t y) {
  for (const BarButton* button : {&kLoad, &kSave, &kClear, &kQuit, &kSettings, &kQuad, &kOffset}) {
    if (!Hits(*button, x, y)) {
      continue;
    }
    if (button == &kQuad) {
      HitQuad();
    } else {
      editorState.pendingAction = button->action;
    }
  }
}

int PaletteColourAt(std::int32_t x, std::int32_t y) {
  int row = -1;
  for (int k = 0; k <= 26; ++k) {
    if (4 + 16 * k < y && y < 16 + 16 * k) {
      row = k;
    }
  }
  // Between the rows nothing is picked, so the colour stays a panel index.
  if (row < 0) {
    return -1;
  }
  if (719 < x && x < 741) {
    return row + 27;
  }
  if (x > 754) {
    return row + 54;
  }
  return row;
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
  EraseRegion(7);
  std::snprintf(textLine, sizeof textLine, "color %d", static_cast<int>(editorState.currentColor));
  PadToCells(textLine, sizeof textLine, kColourStatusCells);
  DrawTextAt(textLine, 360, 572, plat::PALETTEINDEX(15), displayDevice.primarySurface);
}
