// The palette panel: 81 swatches stored straight into the surface, and the outline round colour 0.
#include "canvas/palette_panel.h"

#include "app/editor_state.h"
#include "canvas/pen.h"
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

}  // namespace

int DrawPalettePanel() {
  plat::DrawSurface* surface = displayDevice.primarySurface;
  if (surface == nullptr || plat::FAILED(surface->Lock(nullptr, &surfaceDesc, plat::DDLOCK_WAIT, nullptr))) {
    return 0;
  }
  StoreSwatches();
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
