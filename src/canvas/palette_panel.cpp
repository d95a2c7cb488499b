// The palette panel: 81 swatches stored straight into the surface, the outline round colour 0 and the
// current colour's frame.
#include "canvas/palette_panel.h"

#include "app/editor_state.h"
#include "canvas/pen.h"
#include "canvas/screen_colours.h"
#include "canvas/screen_layout.h"
#include "draw/frames.h"
#include "platform/gdi.h"

namespace {

constexpr std::array<plat::POINT, 5> kOutline = OutlinePoints(layout::kColourZeroOutline);

void StoreSwatches() {
  auto* memory = static_cast<std::uint8_t*>(surfaceDesc.lpSurface);
  const int pitch = surfaceDesc.lPitch;
  for (int c = 0; c < layout::kSwatchColumns; ++c) {
    const int left = layout::SwatchLeft(c);
    for (int k = 0; k < layout::kSwatchRows; ++k) {
      const int top = layout::SwatchTop(k);
      for (int y = top; y < top + layout::kSwatchHeight; ++y) {
        for (int x = left; x < left + layout::kSwatchWidth; ++x) {
          PutLockedPixel(x, y, layout::kSwatchRows * c + k, memory, pitch);
        }
      }
    }
  }
}

// The current colour's swatch is framed in the black gap round it, two
// pixels wide, so that it reads on a dark swatch and a light one alike.
layout::ScreenRect CurrentFrame(int colour) {
  const int column = colour / layout::kSwatchRows;
  const int row = colour % layout::kSwatchRows;
  const int left = layout::SwatchLeft(column) - layout::kCurrentFrameGap;
  const int top = layout::SwatchTop(row) - layout::kCurrentFrameGap;
  return {left, top, left + layout::kSwatchWidth + 2 * layout::kCurrentFrameGap,
          top + layout::kSwatchHeight + 2 * layout::kCurrentFrameGap};
}

bool OnPanel(int colour) {
  return colour >= 0 && colour < layout::kSwatchColumns * layout::kSwatchRows;
}

// The frame's two rings: the outer edge of rect and the ring inside it.
void DrawFrameRings(int colour, int index) {
  const layout::ScreenRect outer = CurrentFrame(colour);
  auto* memory = static_cast<std::uint8_t*>(surfaceDesc.lpSurface);
  const int pitch = surfaceDesc.lPitch;
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

// The colour whose frame is on the screen; -1 for none.
int framedColour = -1;

// The frame follows the current colour: the old one goes black.
void FrameCurrentColour() {
  const int current = editorState.currentColor;
  if (framedColour != current && OnPanel(framedColour)) {
    DrawFrameRings(framedColour, kBlackIndex);
  }
  framedColour = -1;
  if (OnPanel(current)) {
    DrawFrameRings(current, kWhiteIndex);
    framedColour = current;
  }
}

}  // namespace

int DrawPalettePanel() {
  plat::DrawSurface* surface = displayDevice.primarySurface;
  if (surface == nullptr || plat::FAILED(surface->Lock(nullptr, &surfaceDesc, plat::DDLOCK_WAIT, nullptr))) {
    return 0;
  }
  StoreSwatches();
  FrameCurrentColour();
  if (plat::FAILED(surface->Unlock(nullptr))) {
    return 0;
  }
  plat::HDC dc = nullptr;
  if (plat::FAILED(surface->GetDC(&dc))) {
    return 0;
  }
  plat::HPEN pen = plat::CreatePen(plat::PS_SOLID, 1, plat::RGB(255, 255, 255));
  plat::SetBkColor(dc, 0);
  plat::HGDIOBJ held = plat::SelectObject(dc, pen);
  plat::Polyline(dc, kOutline.data(), 5);
  plat::SelectObject(dc, held);
  plat::DeleteObject(pen);
  surface->ReleaseDC(dc);
  return 0;
}
