// The win32 backend's display: the real DirectDraw 7 object, surfaces and palette behind the plat classes.
//
// On the desktop (the default) the display mode stays as it is, and the primary surface with
// its back buffer that the editor asks for are 8-bit palettized surfaces in system memory: the
// editor draws on them as on the screen, and the backend shows the primary in the window
// (win32_present.cpp). With --exclusive they are the real exclusive mode's.
#include <memory>
#include <utility>

#include "../display.h"
// After the plat headers (see there).
#include "win32_bitmaps.h"
#include "win32_desktop.h"

namespace plat {
namespace {

// A call on a surface that was lost (the display was taken away) restores
// every surface of the display once and is tried again: their content is
// gone, but the editor draws everything it shows again on its next pass.
template <typename Call>
HRESULT WithRestore(IDirectDraw7* owner, Call call) {
  HRESULT result = call();
  if (result == DDERR_SURFACELOST && owner != nullptr && SUCCEEDED(owner->RestoreAllSurfaces())) {
    result = call();
  }
  return result;
}

class Palette final : public DrawPalette {
 public:
  explicit Palette(IDirectDrawPalette* real) : real_(real) {}

  HRESULT GetEntries(std::uint32_t first, std::uint32_t count, PALETTEENTRY* entries) override {
    static_assert(sizeof(PALETTEENTRY) == sizeof(::PALETTEENTRY));
    ::PALETTEENTRY copied[256];
    if (entries == nullptr || first > 256 || count > 256 - first) {
      return DDERR_INVALIDPARAMS;
    }
    const HRESULT result = real_->GetEntries(0, first, count, copied);
    for (std::uint32_t i = 0; i < count && SUCCEEDED(result); ++i) {
      entries[i] = {copied[i].peRed, copied[i].peGreen, copied[i].peBlue, copied[i].peFlags};
    }
    return result;
  }

  HRESULT SetEntries(std::uint32_t first, std::uint32_t count, const PALETTEENTRY* entries) override {
    ::PALETTEENTRY copied[256];
    if (entries == nullptr || first > 256 || count > 256 - first) {
      return DDERR_INVALIDPARAMS;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
      copied[i] = {entries[i].peRed, entries[i].peGreen, entries[i].peBlue, entries[i].peFlags};
    }
    const HRESULT result = real_->SetEntries(0, first, count, copied);
    if (SUCCEEDED(result)) {
      win32::ForgetKeptBitmaps();
    }
    return result;
  }

  std::uint32_t Release() override {
    const ULONG left = real_->Release();
    delete this;
    return left;
  }

  IDirectDrawPalette* real() const { return real_; }

 private:
  IDirectDrawPalette* real_;
};

class Surface final : public DrawSurface {
 public:
  Surface(IDirectDrawSurface7* real, IDirectDraw7* owner) : real_(real), owner_(owner) {}

  HRESULT Lock(plat::RECT* rect, DDSURFACEDESC2* desc, std::uint32_t flags, void* event) override {
    if (desc == nullptr) {
      return DDERR_INVALIDPARAMS;
    }
    ::DDSURFACEDESC2 real = {};
    real.dwSize = sizeof real;
    ::RECT area = {};
    if (rect != nullptr) {
      area = win32::ToReal(*rect);
    }
    const HRESULT result = WithRestore(owner_, [&] {
      return real_->Lock(rect != nullptr ? &area : nullptr, &real, flags, static_cast<HANDLE>(event));
    });
    if (SUCCEEDED(result)) {
      desc->dwFlags = real.dwFlags;
      desc->dwWidth = real.dwWidth;
      desc->dwHeight = real.dwHeight;
      desc->lPitch = real.lPitch;
      desc->lpSurface = real.lpSurface;
    }
    return result;
  }

  HRESULT Unlock(plat::RECT* rect) override {
    ::RECT area = {};
    if (rect != nullptr) {
      area = win32::ToReal(*rect);
    }
    return real_->Unlock(rect != nullptr ? &area : nullptr);
  }

  HRESULT GetDC(HDC* dc) override {
    if (dc == nullptr) {
      return DDERR_INVALIDPARAMS;
    }
    ::HDC real = nullptr;
    const HRESULT result = WithRestore(owner_, [&] { return real_->GetDC(&real); });
    *dc = SUCCEEDED(result) ? win32::ToPlat<HDC>(real) : nullptr;
    return result;
  }

  HRESULT ReleaseDC(HDC dc) override { return real_->ReleaseDC(win32::ToReal<::HDC>(dc)); }

  HRESULT Blt(plat::RECT* dest, DrawSurface* source, plat::RECT* sourceRect, std::uint32_t flags,
              DDBLTFX* fx) override {
    ::DDBLTFX real = {};
    real.dwSize = sizeof real;
    if (fx != nullptr) {
      real.dwFillColor = fx->dwFillColor;
    }
    ::RECT destArea = {};
    ::RECT sourceArea = {};
    if (dest != nullptr) {
      destArea = win32::ToReal(*dest);
    }
    if (sourceRect != nullptr) {
      sourceArea = win32::ToReal(*sourceRect);
    }
    IDirectDrawSurface7* realSource = source != nullptr ? static_cast<Surface*>(source)->real_ : nullptr;
    return WithRestore(owner_, [&] {
      return real_->Blt(dest != nullptr ? &destArea : nullptr, realSource,
                        sourceRect != nullptr ? &sourceArea : nullptr, flags,
                        fx != nullptr ? &real : nullptr);
    });
  }

  HRESULT GetAttachedSurface(DDSCAPS2* caps, DrawSurface** attached) override {
    if (caps == nullptr || attached == nullptr) {
      return DDERR_INVALIDPARAMS;
    }
    ::DDSCAPS2 real = {};
    real.dwCaps = caps->dwCaps;
    real.dwCaps2 = caps->dwCaps2;
    real.dwCaps3 = caps->dwCaps3;
    real.dwCaps4 = caps->dwCaps4;
    IDirectDrawSurface7* found = nullptr;
    const HRESULT result = real_->GetAttachedSurface(&real, &found);
    *attached = SUCCEEDED(result) ? new Surface(found, owner_) : nullptr;
    return result;
  }

  HRESULT SetPalette(DrawPalette* palette) override {
    return real_->SetPalette(palette != nullptr ? static_cast<Palette*>(palette)->real() : nullptr);
  }

  std::uint32_t Release() override {
    const ULONG left = real_->Release();
    delete this;
    return left;
  }

 private:
  IDirectDrawSurface7* real_;
  IDirectDraw7* owner_;  // not owned: the surfaces go before the display object
};

// The desktop's primary and back buffer: 800 x 600 8-bit palettized surfaces in system memory,
// whose memory is the program's own (a client-memory surface). GDI draws there through the
// surface's own device context, kept for good (the editor takes one some twenty times a pass),
// and the colour fill and the palette are DirectDraw's. A lock hands out that memory as the
// real lock would: under Wine the real one is a round trip to its rendering thread, which then
// keeps a core busy for half a second, and the editor locks on every pass.
class MemorySurface final : public DrawSurface {
 public:
  using Memory = std::shared_ptr<std::uint8_t[]>;

  MemorySurface(IDirectDrawSurface7* real, Memory memory, MemorySurface* back)
      : real_(real), memory_(std::move(memory)), back_(back) {}

  // An 800 x 600 surface over memory of its own; null with the reason in result.
  static MemorySurface* Create(IDirectDraw7* display, MemorySurface* back, HRESULT* result) {
    Memory memory(new std::uint8_t[std::size_t{kScreenWidth} * kScreenHeight]());
    ::DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_LPSURFACE;
    desc.dwWidth = kScreenWidth;
    desc.dwHeight = kScreenHeight;
    desc.lPitch = kScreenWidth;
    desc.lpSurface = memory.get();
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY | DDSCAPS_OWNDC;
    desc.ddpfPixelFormat.dwSize = sizeof desc.ddpfPixelFormat;
    desc.ddpfPixelFormat.dwFlags = DDPF_RGB | DDPF_PALETTEINDEXED8;
    desc.ddpfPixelFormat.dwRGBBitCount = 8;
    IDirectDrawSurface7* made = nullptr;
    *result = display->CreateSurface(&desc, &made, nullptr);
    return SUCCEEDED(*result) ? new MemorySurface(made, std::move(memory), back) : nullptr;
  }

  const std::uint8_t* memory() const { return memory_.get(); }
  IDirectDrawSurface7* real() const { return real_; }

  HRESULT Lock(plat::RECT* rect, DDSURFACEDESC2* desc, std::uint32_t /*flags*/, void* /*event*/) override {
    if (desc == nullptr || rect != nullptr) {
      return DDERR_INVALIDPARAMS;
    }
    if (locked_ || dcOut_) {
      return DDERR_SURFACEBUSY;
    }
    locked_ = true;
    desc->dwFlags = DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_LPSURFACE;
    desc->dwWidth = kScreenWidth;
    desc->dwHeight = kScreenHeight;
    desc->lPitch = kScreenWidth;
    desc->lpSurface = memory_.get();
    return DD_OK;
  }

  HRESULT Unlock(plat::RECT* /*rect*/) override {
    if (!locked_) {
      return DDERR_NOTLOCKED;
    }
    locked_ = false;
    return DD_OK;
  }

  HRESULT GetDC(HDC* dc) override {
    if (dc == nullptr) {
      return DDERR_INVALIDPARAMS;
    }
    *dc = nullptr;
    if (locked_ || dcOut_) {
      return DDERR_SURFACEBUSY;
    }
    ::HDC real = nullptr;
    const HRESULT result = real_->GetDC(&real);
    if (SUCCEEDED(result)) {
      *dc = win32::ToPlat<HDC>(real);
      dcOut_ = true;
    }
    return result;
  }

  HRESULT ReleaseDC(HDC dc) override {
    const HRESULT result = real_->ReleaseDC(win32::ToReal<::HDC>(dc));
    if (SUCCEEDED(result)) {
      dcOut_ = false;
    }
    return result;
  }

  HRESULT Blt(plat::RECT* dest, DrawSurface* source, plat::RECT* /*sourceRect*/, std::uint32_t flags,
              DDBLTFX* fx) override {
    if (dest != nullptr || source != nullptr || fx == nullptr || (flags & DDBLT_COLORFILL) == 0) {
      return DDERR_INVALIDPARAMS;
    }
    if (locked_ || dcOut_) {
      return DDERR_SURFACEBUSY;
    }
    ::DDBLTFX real = {};
    real.dwSize = sizeof real;
    real.dwFillColor = fx->dwFillColor;
    const HRESULT result = real_->Blt(nullptr, nullptr, nullptr, flags, &real);
    // The fill may still be on its way (Wine fills on its rendering thread): a real lock waits
    // for it, so that nothing drawn next lands under it.
    ::DDSURFACEDESC2 done = {};
    done.dwSize = sizeof done;
    if (SUCCEEDED(real_->Lock(nullptr, &done, DDLOCK_WAIT | DDLOCK_READONLY, nullptr))) {
      real_->Unlock(nullptr);
    }
    return result;
  }

  HRESULT GetAttachedSurface(DDSCAPS2* caps, DrawSurface** attached) override {
    if (caps == nullptr || attached == nullptr) {
      return DDERR_INVALIDPARAMS;
    }
    *attached = nullptr;
    if (back_ == nullptr || (caps->dwCaps & DDSCAPS_BACKBUFFER) == 0) {
      return DDERR_NOTFOUND;
    }
    // Handed out once: the caller releases it.
    *attached = back_;
    back_ = nullptr;
    return DD_OK;
  }

  HRESULT SetPalette(DrawPalette* palette) override {
    IDirectDrawPalette* real = palette != nullptr ? static_cast<Palette*>(palette)->real() : nullptr;
    const HRESULT result = real_->SetPalette(real);
    if (SUCCEEDED(result) && win32::IsScreenMemory(memory_.get())) {
      win32::SetScreenPalette(real);
    }
    return result;
  }

  std::uint32_t Release() override {
    if (win32::IsScreenMemory(memory_.get())) {
      win32::SetScreenMemory(nullptr);
    }
    if (back_ != nullptr) {
      back_->Release();
    }
    const ULONG left = real_->Release();
    delete this;
    return left;
  }

 private:
  IDirectDrawSurface7* real_;
  Memory memory_;
  MemorySurface* back_;  // owned until handed out
  bool locked_ = false;
  bool dcOut_ = false;
};

class Display final : public DirectDraw {
 public:
  explicit Display(IDirectDraw7* real) : real_(real) {}

  // On the desktop the program shares the display with the others.
  HRESULT SetCooperativeLevel(HWND window, std::uint32_t flags) override {
    return real_->SetCooperativeLevel(win32::ToReal<::HWND>(window),
                                      win32::Exclusive() ? flags : DDSCL_NORMAL);
  }

  // On the desktop the mode is the desktop's own: nothing changes.
  HRESULT SetDisplayMode(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel,
                         std::uint32_t refreshRate, std::uint32_t flags) override {
    if (!win32::Exclusive()) {
      return DD_OK;
    }
    return real_->SetDisplayMode(width, height, bitsPerPixel, refreshRate, flags);
  }

  HRESULT CreateSurface(DDSURFACEDESC2* desc, DrawSurface** surface, void* outer) override {
    if (desc == nullptr || surface == nullptr) {
      return DDERR_INVALIDPARAMS;
    }
    if (!win32::Exclusive() && (desc->ddsCaps.dwCaps & DDSCAPS_PRIMARYSURFACE) != 0) {
      return CreateDesktopPrimary(surface);
    }
    ::DDSURFACEDESC2 real = {};
    real.dwSize = sizeof real;
    real.dwFlags = desc->dwFlags;
    real.dwHeight = desc->dwHeight;
    real.dwWidth = desc->dwWidth;
    real.lPitch = desc->lPitch;
    real.dwBackBufferCount = desc->dwBackBufferCount;
    real.ddsCaps.dwCaps = desc->ddsCaps.dwCaps;
    real.ddsCaps.dwCaps2 = desc->ddsCaps.dwCaps2;
    real.ddsCaps.dwCaps3 = desc->ddsCaps.dwCaps3;
    real.ddsCaps.dwCaps4 = desc->ddsCaps.dwCaps4;
    IDirectDrawSurface7* made = nullptr;
    const HRESULT result = real_->CreateSurface(&real, &made, static_cast<IUnknown*>(outer));
    *surface = SUCCEEDED(result) ? new Surface(made, real_) : nullptr;
    return result;
  }

  HRESULT CreatePalette(std::uint32_t flags, const PALETTEENTRY* entries, DrawPalette** palette,
                        void* outer) override {
    if (entries == nullptr || palette == nullptr) {
      return DDERR_INVALIDPARAMS;
    }
    ::PALETTEENTRY copied[256];
    for (int i = 0; i < 256; ++i) {
      copied[i] = {entries[i].peRed, entries[i].peGreen, entries[i].peBlue, entries[i].peFlags};
    }
    IDirectDrawPalette* made = nullptr;
    const HRESULT result = real_->CreatePalette(flags, copied, &made, static_cast<IUnknown*>(outer));
    *palette = SUCCEEDED(result) ? new Palette(made) : nullptr;
    return result;
  }

  HRESULT RestoreDisplayMode() override { return win32::Exclusive() ? real_->RestoreDisplayMode() : DD_OK; }

  std::uint32_t Release() override {
    const ULONG left = real_->Release();
    delete this;
    return left;
  }

 private:
  // The primary the editor draws on, and its back buffer, in system memory; the backend shows
  // the primary.
  HRESULT CreateDesktopPrimary(DrawSurface** surface) {
    HRESULT result = DD_OK;
    MemorySurface* back = MemorySurface::Create(real_, nullptr, &result);
    MemorySurface* primary = back != nullptr ? MemorySurface::Create(real_, back, &result) : nullptr;
    if (primary == nullptr && back != nullptr) {
      back->Release();
    }
    *surface = primary;
    if (primary != nullptr) {
      win32::SetScreenMemory(primary->memory());
    }
    return result;
  }

  IDirectDraw7* real_;
};

}  // namespace

HRESULT DirectDrawCreateEx(const void* guid, DirectDraw** directDraw, void* outer) {
  if (directDraw == nullptr) {
    return DDERR_INVALIDPARAMS;
  }
  void* made = nullptr;
  const HRESULT result = ::DirectDrawCreateEx(static_cast<GUID*>(const_cast<void*>(guid)), &made,
                                              IID_IDirectDraw7, static_cast<IUnknown*>(outer));
  *directDraw = SUCCEEDED(result) ? new Display(static_cast<IDirectDraw7*>(made)) : nullptr;
  return result;
}

}  // namespace plat
