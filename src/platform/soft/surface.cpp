// 8-bit surfaces in memory: lock, device context, colour fill and the attached back buffer.
#include <algorithm>
#include <cstring>

#include "../gdi.h"
#include "backend.h"
#include "display_objects.h"

namespace plat::shared {

namespace {

// Fresh video memory is not black: a surface nobody cleared shows it.
constexpr std::uint8_t kFreshSurfaceIndex = 0xCD;

}  // namespace

MemorySurface::MemorySurface(const char* name)
    : name_(name), pixels_(static_cast<std::size_t>(kScreenWidth) * kScreenHeight, kFreshSurfaceIndex) {}

MemorySurface::~MemorySurface() {
  if (dc_ != nullptr) {
    DestroySurfaceDC(dc_);
  }
}

std::string MemorySurface::Call(const char* method) const {
  std::string call = name_;
  call += '.';
  call += method;
  backend::Trace(call);
  return call;
}

void MemorySurface::Attach(MemorySurface* backBuffer) {
  backBuffer_ = backBuffer;
  backBuffer->primary_ = this;
}

const MemoryPalette* MemorySurface::EffectivePalette() const {
  if (palette_ != nullptr) {
    return palette_;
  }
  return primary_ != nullptr ? primary_->palette_ : nullptr;
}

HRESULT MemorySurface::Lock(RECT* rect, DDSURFACEDESC2* desc, std::uint32_t /*flags*/, void* /*event*/) {
  if (backend::ShouldFail(Call("Lock"))) {
    return E_FAIL;
  }
  if (rect != nullptr || desc == nullptr) {
    return DDERR_INVALIDPARAMS;
  }
  if (locked_ || dc_ != nullptr) {
    return DDERR_SURFACEBUSY;
  }
  locked_ = true;
  desc->lpSurface = pixels_.data();
  desc->lPitch = kScreenWidth;
  desc->dwWidth = kScreenWidth;
  desc->dwHeight = kScreenHeight;
  return DD_OK;
}

HRESULT MemorySurface::Unlock(RECT* /*rect*/) {
  if (backend::ShouldFail(Call("Unlock"))) {
    return E_FAIL;
  }
  if (!locked_) {
    return DDERR_NOTLOCKED;
  }
  locked_ = false;
  return DD_OK;
}

HRESULT MemorySurface::GetDC(HDC* dc) {
  if (backend::ShouldFail(Call("GetDC"))) {
    return E_FAIL;
  }
  if (dc == nullptr) {
    return DDERR_INVALIDPARAMS;
  }
  if (locked_ || dc_ != nullptr) {
    return DDERR_SURFACEBUSY;
  }
  // The context keeps its own copy of the colours, so it never outlives them.
  const MemoryPalette* palette = EffectivePalette();
  if (palette != nullptr) {
    std::memcpy(dcPalette_, palette->Entries(), sizeof dcPalette_);
  } else {
    std::memset(dcPalette_, 0, sizeof dcPalette_);
  }
  HDC made = CreateSurfaceDC(pixels_.data(), kScreenWidth, kScreenHeight, kScreenWidth, dcPalette_);
  if (made == nullptr) {
    return E_FAIL;
  }
  dc_ = made;
  *dc = made;
  return DD_OK;
}

HRESULT MemorySurface::ReleaseDC(HDC dc) {
  if (backend::ShouldFail(Call("ReleaseDC"))) {
    return E_FAIL;
  }
  if (dc_ == nullptr || dc != dc_) {
    return DDERR_INVALIDPARAMS;
  }
  DestroySurfaceDC(dc_);
  dc_ = nullptr;
  return DD_OK;
}

HRESULT MemorySurface::Blt(RECT* dest, DrawSurface* source, RECT* sourceRect, std::uint32_t flags,
                           DDBLTFX* fx) {
  if (backend::ShouldFail(Call("Blt"))) {
    return E_FAIL;
  }
  if (source != nullptr || sourceRect != nullptr || (flags & DDBLT_COLORFILL) == 0 || fx == nullptr) {
    return DDERR_INVALIDPARAMS;
  }
  RECT area = {0, 0, kScreenWidth, kScreenHeight};
  if (dest != nullptr) {
    area = *dest;
    if (area.left < 0 || area.top < 0 || area.right > kScreenWidth || area.bottom > kScreenHeight ||
        area.left >= area.right || area.top >= area.bottom) {
      return DDERR_INVALIDPARAMS;
    }
  }
  if (locked_ || dc_ != nullptr) {
    return DDERR_SURFACEBUSY;
  }
  const auto index = static_cast<std::uint8_t>(fx->dwFillColor & 0xFF);
  for (int y = area.top; y < area.bottom; ++y) {
    std::uint8_t* row = pixels_.data() + static_cast<std::size_t>(y) * kScreenWidth;
    std::fill(row + area.left, row + area.right, index);
  }
  return DD_OK;
}

HRESULT MemorySurface::GetAttachedSurface(DDSCAPS2* caps, DrawSurface** attached) {
  if (backend::ShouldFail(Call("GetAttachedSurface"))) {
    return E_FAIL;
  }
  if (caps == nullptr || attached == nullptr) {
    return DDERR_INVALIDPARAMS;
  }
  if ((caps->dwCaps & DDSCAPS_BACKBUFFER) == 0 || backBuffer_ == nullptr) {
    return DDERR_NOTFOUND;
  }
  backBuffer_->AddRef();
  *attached = backBuffer_;
  return DD_OK;
}

HRESULT MemorySurface::SetPalette(DrawPalette* palette) {
  if (backend::ShouldFail(Call("SetPalette"))) {
    return E_FAIL;
  }
  auto* chosen = static_cast<MemoryPalette*>(palette);
  if (chosen != nullptr) {
    chosen->AddRef();
  }
  if (palette_ != nullptr) {
    palette_->Drop();
  }
  palette_ = chosen;
  return DD_OK;
}

std::uint32_t MemorySurface::Release() {
  Call("Release");
  return Drop();
}

std::uint32_t MemorySurface::Drop() {
  if (--references_ > 0) {
    return references_;
  }
  if (palette_ != nullptr) {
    palette_->Drop();
    palette_ = nullptr;
  }
  if (backBuffer_ != nullptr) {
    backBuffer_->primary_ = nullptr;
    MemorySurface* chained = backBuffer_;
    backBuffer_ = nullptr;
    chained->Drop();
  }
  if (primary_ != nullptr) {
    primary_->backBuffer_ = nullptr;
  }
  if (Primary() == this) {
    SetPrimary(nullptr);
  }
  ForgetSurface(this);
  return 0;
}

}  // namespace plat::shared
