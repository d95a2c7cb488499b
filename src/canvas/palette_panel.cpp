// The palette panel: 81 swatches stored straight into the surface, and the outline round colour 0.
#include "canvas/palette_panel.h"

#include "app/editor_state.h"
#include "canvas/pen.h"
#include "platform/gdi.h"

namespace {

constexpr int kSwatchLeft[3] = {685, 720, 755};
constexpr int kSwatchWidth = 20;
constexpr int kSwatchHeight = 10;
constexpr plat::POINT kOutline[5] = {{684, 4}, {706, 4}, {706, 16}, {684, 16}, {684, 4}};

void StoreSwatches() {
  auto* memory = static_cast<std::uint8_t*>(surfaceDesc.lpSurface);
  const int pitch = surfaceDesc.lPitch;
  for (int c = 0; c < 3; ++c) {
    for (int k = 0; k <= 26; ++k) {
      for (int y = 5 + 16 * k; y < 5 + 16 * k + kSwatchHeight; ++y) {
        for (int x = kSwatchLeft[c]; x < kSwatchLeft[c] + kSwatchWidth; ++x) {
          PutLockedPixel(x, y, 27 * c + k, memory, pitch);
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
  plat::Polyline(dc, kOutline, 5);
  plat::SelectObject(dc, held);
  plat::DeleteObject(pen);
  surface->ReleaseDC(dc);
  return 0;
}
