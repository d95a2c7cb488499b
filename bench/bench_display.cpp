// The headless display shared by the benchmarks.
#include "bench_display.h"

#include "app/devices.h"
#include "platform/display.h"
#include "platform/headless/headless.h"

namespace pixbench {

bool OpenDisplay() {
  DisplayDevice& display = displayDevice;
  if (display.primarySurface != nullptr) {
    return true;
  }
  plat::headless::Reset();
  ResetEditorState();
  plat::headless::SetLogging(false);
  if (plat::FAILED(plat::DirectDrawCreateEx(nullptr, &display.directDraw, nullptr)) ||
      plat::FAILED(display.directDraw->SetDisplayMode(800, 600, 8, 0, 0))) {
    return false;
  }
  surfaceDesc = {};
  surfaceDesc.dwSize = sizeof surfaceDesc;
  surfaceDesc.dwFlags = plat::DDSD_CAPS | plat::DDSD_BACKBUFFERCOUNT;
  surfaceDesc.dwBackBufferCount = 1;
  surfaceDesc.ddsCaps.dwCaps = plat::DDSCAPS_PRIMARYSURFACE | plat::DDSCAPS_FLIP | plat::DDSCAPS_COMPLEX;
  BuildPaletteTable();
  return !plat::FAILED(display.directDraw->CreateSurface(&surfaceDesc, &display.primarySurface, nullptr)) &&
         !plat::FAILED(display.directDraw->CreatePalette(plat::DDPCAPS_8BIT | plat::DDPCAPS_ALLOW256,
                                                         paletteTable, &display.palette, nullptr)) &&
         !plat::FAILED(display.primarySurface->SetPalette(display.palette));
}

}  // namespace pixbench
