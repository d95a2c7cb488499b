// The palette panel: a page of swatches stored straight into the surface, the
// outline round colour 0, the current colour's frame and the page's label.
#include "canvas/palette_panel.h"

#include <algorithm>
#include <cstdio>

#include "app/editor_state.h"
#include "canvas/pen.h"
#include "canvas/screen_colours.h"
#include "canvas/screen_layout.h"
#include "draw/frames.h"
#include "draw/primitives.h"
#include "platform/gdi.h"

namespace {

constexpr std::array<plat::POINT, 5> kOutline = OutlinePoints(layout::kColourZeroOutline);

struct PanelState {
  int page = 0;
  // The page the surface shows; -1 for none yet (a new screen).
  int drawnPage = -1;
  // The label shows once the artist has turned a page: the start screen is as it always was.
  bool labelShown = false;
  // The colour whose frame is on the screen; -1 for none.
  int framedColour = -1;
};

PanelState panel;

int FirstOfPage(int page) {
  return page * layout::kPanelColours;
}

int LastOfPage(int page) {
  return std::min(FirstOfPage(page) + layout::kPanelColours, layout::kPaletteEntries) - 1;
}

bool OnPanel(int colour) {
  return colour >= 0 && colour < layout::kPaletteEntries && PageOfColour(colour) == panel.page;
}

void ClearPanelArea(std::uint8_t* memory, int pitch) {
  const layout::ScreenRect& area = layout::kPanelArea;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      PutLockedPixel(x, y, kBlackIndex, memory, pitch);
    }
  }
}

void StoreSwatches(std::uint8_t* memory, int pitch) {
  for (int c = 0; c < layout::kSwatchColumns; ++c) {
    const int left = layout::SwatchLeft(c);
    for (int k = 0; k < layout::kSwatchRows; ++k) {
      const int entry = PanelEntry(layout::kSwatchRows * c + k);
      if (entry < 0) {
        continue;
      }
      const int top = layout::SwatchTop(k);
      for (int y = top; y < top + layout::kSwatchHeight; ++y) {
        for (int x = left; x < left + layout::kSwatchWidth; ++x) {
          PutLockedPixel(x, y, entry, memory, pitch);
        }
      }
    }
  }
}

// The current colour's swatch is framed in the black gap round it, two
// pixels wide, so that it reads on a dark swatch and a light one alike.
layout::ScreenRect CurrentFrame(int colour) {
  const int slot = colour - FirstOfPage(PageOfColour(colour));
  const int column = slot / layout::kSwatchRows;
  const int row = slot % layout::kSwatchRows;
  const int left = layout::SwatchLeft(column) - layout::kCurrentFrameGap;
  const int top = layout::SwatchTop(row) - layout::kCurrentFrameGap;
  return {left, top, left + layout::kSwatchWidth + 2 * layout::kCurrentFrameGap,
          top + layout::kSwatchHeight + 2 * layout::kCurrentFrameGap};
}

// The frame's two rings: the outer edge of rect and the ring inside it.
void DrawFrameRings(int colour, int index, std::uint8_t* memory, int pitch) {
  const layout::ScreenRect outer = CurrentFrame(colour);
  for (int ring = 0; ring < layout::kCurrentFrameWidth; ++ring) {
    const layout::ScreenRect r{outer.left + ring, outer.top + ring, outer.right - ring, outer.bottom - ring};
    for (int x = r.left; x < r.right; ++x) {
      PutLockedPixel(x, r.top, index, memory, pitch);
      PutLockedPixel(x, r.bottom - 1, index, memory, pitch);
    }
    for (int y = r.top; y < r.bottom; ++y) {
      PutLockedPixel(r.left, y, index, memory, pitch);
      PutLockedPixel(r.right - 1, y, index, memory, pitch);
    }
  }
}

// The frame follows the current colour: the old one goes black.
void FrameCurrentColour(std::uint8_t* memory, int pitch) {
  const int current = editorState.currentColor;
  if (panel.framedColour != current && OnPanel(panel.framedColour)) {
    DrawFrameRings(panel.framedColour, kBlackIndex, memory, pitch);
  }
  panel.framedColour = -1;
  if (OnPanel(current)) {
    DrawFrameRings(current, kWhiteIndex, memory, pitch);
    panel.framedColour = current;
  }
}

void DrawOutline(plat::HDC dc) {
  const plat::PALETTEENTRY& white = paletteTable[static_cast<std::uint8_t>(kWhiteIndex)];
  plat::HPEN pen = plat::CreatePen(plat::PS_SOLID, 1, plat::RGB(white.peRed, white.peGreen, white.peBlue));
  plat::SetBkColor(dc, kBlackInk);
  plat::HGDIOBJ held = plat::SelectObject(dc, pen);
  plat::Polyline(dc, kOutline.data(), 5);
  plat::SelectObject(dc, held);
  plat::DeleteObject(pen);
}

void DrawLabel() {
  std::snprintf(textLine, sizeof textLine, "Colors %d-%d", FirstOfPage(panel.page), LastOfPage(panel.page));
  PadToCells(textLine, sizeof textLine, layout::kPanelLabelCells);
  DrawTextAt(textLine, layout::kPanelLabel.x, layout::kPanelLabel.y, kWhiteInk, displayDevice.primarySurface);
}

}  // namespace

int DrawPalettePanel() {
  plat::DrawSurface* surface = displayDevice.primarySurface;
  if (surface == nullptr || plat::FAILED(surface->Lock(nullptr, &surfaceDesc, plat::DDLOCK_WAIT, nullptr))) {
    return 0;
  }
  auto* memory = static_cast<std::uint8_t*>(surfaceDesc.lpSurface);
  const int pitch = surfaceDesc.lPitch;
  // Another page's swatches and frame go; the first draw finds the screen cleared already.
  if (panel.drawnPage >= 0 && panel.drawnPage != panel.page) {
    ClearPanelArea(memory, pitch);
    panel.framedColour = -1;
  }
  panel.drawnPage = panel.page;
  StoreSwatches(memory, pitch);
  FrameCurrentColour(memory, pitch);
  if (plat::FAILED(surface->Unlock(nullptr))) {
    return 0;
  }
  if (panel.labelShown) {
    DrawLabel();
  }
  if (panel.page != 0) {
    return 0;
  }
  plat::HDC dc = nullptr;
  if (plat::FAILED(surface->GetDC(&dc))) {
    return 0;
  }
  DrawOutline(dc);
  surface->ReleaseDC(dc);
  return 0;
}

void ResetPalettePanel() {
  panel = PanelState{};
}

int PanelPage() {
  return panel.page;
}

void ShowPanelPage(int page) {
  panel.page = std::clamp(page, 0, layout::kPanelPages - 1);
  panel.labelShown = true;
}

void NextPanelPage() {
  ShowPanelPage(panel.page + 1);
}

void PreviousPanelPage() {
  ShowPanelPage(panel.page - 1);
}

int PageOfColour(int colour) {
  return std::clamp(colour, 0, layout::kPaletteEntries - 1) / layout::kPanelColours;
}

int PanelEntry(int slot) {
  if (slot < 0 || slot >= layout::kPanelColours) {
    return -1;
  }
  const int entry = FirstOfPage(panel.page) + slot;
  return entry < layout::kPaletteEntries ? entry : -1;
}

PanelColumn PanelColumnOf(int colour) {
  const int page = PageOfColour(colour);
  const int slot = std::clamp(colour, 0, layout::kPaletteEntries - 1) - FirstOfPage(page);
  const int first = FirstOfPage(page) + slot / layout::kSwatchRows * layout::kSwatchRows;
  return {first, std::min(first + layout::kSwatchRows, layout::kPaletteEntries) - 1};
}
