// The display object, palettes and the bookkeeping of every display object in memory.
#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "../window.h"
#include "backend.h"
#include "display_objects.h"
#include "screen.h"
#include "shared_state.h"

namespace plat::shared {

namespace {

class MemoryDirectDraw;

// Never destroyed, so objects still alive at exit stay reachable and no
// destructor runs after the GDI code's own statics are gone.
struct DisplayObjects {
  std::vector<MemorySurface*> surfaces;
  std::vector<MemoryPalette*> palettes;
  std::vector<MemoryDirectDraw*> displays;
  MemorySurface* primary = nullptr;
};

DisplayObjects& Objects() {
  static auto* objects = new DisplayObjects;
  return *objects;
}

template <typename T>
void Erase(std::vector<T*>& list, T* item) {
  list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

bool Traced(const char* call) {
  backend::Trace(call);
  return backend::ShouldFail(call);
}

class MemoryDirectDraw final : public DirectDraw {
 public:
  HRESULT SetCooperativeLevel(HWND window, std::uint32_t flags) override {
    if (Traced("DirectDraw.SetCooperativeLevel")) {
      return E_FAIL;
    }
    const bool fullscreen = (flags & DDSCL_FULLSCREEN) != 0;
    const bool exclusive = (flags & DDSCL_EXCLUSIVE) != 0;
    if (fullscreen != exclusive || (exclusive && !IsWindow(window))) {
      return DDERR_INVALIDPARAMS;
    }
    exclusive_ = exclusive;
    return DD_OK;
  }

  HRESULT SetDisplayMode(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel,
                         std::uint32_t /*refreshRate*/, std::uint32_t /*flags*/) override {
    if (Traced("DirectDraw.SetDisplayMode")) {
      return E_FAIL;
    }
    if (width != kScreenWidth || height != kScreenHeight || bitsPerPixel != 8) {
      return DDERR_INVALIDMODE;
    }
    setMode_ = true;
    backend::DisplayModeChanged(true);
    return DD_OK;
  }

  HRESULT CreateSurface(DDSURFACEDESC2* desc, DrawSurface** surface, void* outer) override {
    if (Traced("DirectDraw.CreateSurface")) {
      return E_FAIL;
    }
    const std::uint32_t wantedFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    const std::uint32_t wantedCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    if (desc == nullptr || surface == nullptr || outer != nullptr ||
        (desc->dwFlags & wantedFlags) != wantedFlags || (desc->ddsCaps.dwCaps & wantedCaps) != wantedCaps ||
        desc->dwBackBufferCount != 1) {
      return DDERR_INVALIDPARAMS;
    }
    if (Objects().primary != nullptr) {
      return DDERR_PRIMARYSURFACEALREADYEXISTS;
    }
    auto* primary = new MemorySurface("Primary");
    auto* backBuffer = new MemorySurface("BackBuffer");
    AdoptSurface(primary);
    AdoptSurface(backBuffer);
    primary->Attach(backBuffer);
    SetPrimary(primary);
    *surface = primary;
    return DD_OK;
  }

  HRESULT CreatePalette(std::uint32_t flags, const PALETTEENTRY* entries, DrawPalette** palette,
                        void* outer) override {
    if (Traced("DirectDraw.CreatePalette")) {
      return E_FAIL;
    }
    if ((flags & DDPCAPS_8BIT) == 0 || entries == nullptr || palette == nullptr || outer != nullptr) {
      return DDERR_INVALIDPARAMS;
    }
    auto* made = new MemoryPalette(entries);
    AdoptPalette(made);
    *palette = made;
    return DD_OK;
  }

  HRESULT RestoreDisplayMode() override {
    if (Traced("DirectDraw.RestoreDisplayMode")) {
      return E_FAIL;
    }
    Restore();
    return DD_OK;
  }

  std::uint32_t Release() override {
    backend::Trace("DirectDraw.Release");
    if (--references_ > 0) {
      return references_;
    }
    Restore();
    Erase(Objects().displays, static_cast<MemoryDirectDraw*>(this));
    delete this;
    return 0;
  }

 private:
  void Restore() {
    if (setMode_) {
      setMode_ = false;
      backend::DisplayModeChanged(false);
    }
  }

  std::uint32_t references_ = 1;
  bool exclusive_ = false;
  bool setMode_ = false;
};

}  // namespace

MemoryPalette::MemoryPalette(const PALETTEENTRY* source) {
  std::memcpy(entries_, source, sizeof entries_);
}

HRESULT MemoryPalette::GetEntries(std::uint32_t first, std::uint32_t count, PALETTEENTRY* out) {
  if (Traced("Palette.GetEntries")) {
    return E_FAIL;
  }
  if (out == nullptr || first > 256 || count > 256 - first) {
    return DDERR_INVALIDPARAMS;
  }
  std::memcpy(out, entries_ + first, count * sizeof(PALETTEENTRY));
  return DD_OK;
}

// A device context keeps the colours it was handed; the next one takes these.
HRESULT MemoryPalette::SetEntries(std::uint32_t first, std::uint32_t count, const PALETTEENTRY* entries) {
  if (Traced("Palette.SetEntries")) {
    return E_FAIL;
  }
  if (entries == nullptr || first > 256 || count > 256 - first) {
    return DDERR_INVALIDPARAMS;
  }
  std::memcpy(entries_ + first, entries, count * sizeof(PALETTEENTRY));
  return DD_OK;
}

std::uint32_t MemoryPalette::Release() {
  backend::Trace("Palette.Release");
  return Drop();
}

std::uint32_t MemoryPalette::Drop() {
  if (--references_ > 0) {
    return references_;
  }
  ForgetPalette(this);
  return 0;
}

void AdoptSurface(MemorySurface* surface) {
  Objects().surfaces.push_back(surface);
}

void ForgetSurface(MemorySurface* surface) {
  Erase(Objects().surfaces, surface);
  delete surface;
}

void AdoptPalette(MemoryPalette* palette) {
  Objects().palettes.push_back(palette);
}

void ForgetPalette(MemoryPalette* palette) {
  Erase(Objects().palettes, palette);
  delete palette;
}

void SetPrimary(MemorySurface* primary) {
  Objects().primary = primary;
}

MemorySurface* Primary() {
  return Objects().primary;
}

void ResetDisplayObjects() {
  DisplayObjects& objects = Objects();
  for (MemorySurface* surface : objects.surfaces) {
    delete surface;
  }
  for (MemoryPalette* palette : objects.palettes) {
    delete palette;
  }
  for (MemoryDirectDraw* display : objects.displays) {
    delete display;
  }
  objects = DisplayObjects{};
}

}  // namespace plat::shared

namespace plat {

HRESULT DirectDrawCreateEx(const void* guid, DirectDraw** directDraw, void* outer) {
  if (shared::Traced("DirectDrawCreateEx")) {
    return E_FAIL;
  }
  if (guid != nullptr || directDraw == nullptr || outer != nullptr) {
    return DDERR_INVALIDPARAMS;
  }
  auto* made = new shared::MemoryDirectDraw;
  shared::Objects().displays.push_back(made);
  *directDraw = made;
  return DD_OK;
}

namespace soft {

ScreenView CurrentScreen() {
  const shared::MemorySurface* primary = shared::Objects().primary;
  if (primary == nullptr) {
    return ScreenView{nullptr, 0, 0, 0, nullptr};
  }
  const shared::MemoryPalette* palette = primary->EffectivePalette();
  return ScreenView{primary->Pixels(), kScreenWidth, kScreenHeight, kScreenWidth,
                    palette != nullptr ? palette->Entries() : nullptr};
}

}  // namespace soft

}  // namespace plat
