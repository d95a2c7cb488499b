// The primary surface locked for byte stores and reads.
#include "canvas/locked_screen.h"

#include "app/editor_state.h"

bool LockScreen(LockedScreen& screen) {
  plat::DrawSurface* surface = displayDevice.primarySurface;
  if (surface == nullptr || plat::FAILED(surface->Lock(nullptr, &surfaceDesc, plat::DDLOCK_WAIT, nullptr))) {
    return false;
  }
  screen = {static_cast<std::uint8_t*>(surfaceDesc.lpSurface), surfaceDesc.lPitch,
            static_cast<int>(surfaceDesc.dwWidth), static_cast<int>(surfaceDesc.dwHeight)};
  if (screen.memory == nullptr || screen.pitch < screen.width) {
    surface->Unlock(nullptr);
    return false;
  }
  return true;
}

bool UnlockScreen() {
  return !plat::FAILED(displayDevice.primarySurface->Unlock(nullptr));
}
