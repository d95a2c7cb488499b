// The in-memory display objects behind display.h, shared by display.cpp and surface.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "../display.h"

namespace plat::shared {

class MemoryPalette final : public DrawPalette {
 public:
  explicit MemoryPalette(const PALETTEENTRY* source);
  HRESULT GetEntries(std::uint32_t first, std::uint32_t count, PALETTEENTRY* out) override;
  HRESULT SetEntries(std::uint32_t first, std::uint32_t count, const PALETTEENTRY* entries) override;
  std::uint32_t Release() override;
  void AddRef() { ++references_; }
  // Release without a trace: the reference a surface holds.
  std::uint32_t Drop();
  const PALETTEENTRY* Entries() const { return entries_; }

 private:
  PALETTEENTRY entries_[256];
  std::uint32_t references_ = 1;
};

// An 800 x 600 8-bit surface. The primary holds one reference on its back
// buffer; the back buffer draws with the primary's palette when it has none.
class MemorySurface final : public DrawSurface {
 public:
  explicit MemorySurface(const char* name);
  ~MemorySurface() override;
  HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, std::uint32_t flags, void* event) override;
  HRESULT Unlock(RECT* rect) override;
  HRESULT GetDC(HDC* dc) override;
  HRESULT ReleaseDC(HDC dc) override;
  HRESULT Blt(RECT* dest, DrawSurface* source, RECT* sourceRect, std::uint32_t flags, DDBLTFX* fx) override;
  HRESULT GetAttachedSurface(DDSCAPS2* caps, DrawSurface** attached) override;
  HRESULT SetPalette(DrawPalette* palette) override;
  std::uint32_t Release() override;

  void AddRef() { ++references_; }
  // Release without a trace: the reference the primary holds on its back buffer.
  std::uint32_t Drop();
  void Attach(MemorySurface* backBuffer);
  const std::uint8_t* Pixels() const { return pixels_.data(); }
  // The palette set on this surface, else its primary's; null when neither has one.
  const MemoryPalette* EffectivePalette() const;

 private:
  std::string Call(const char* method) const;

  std::string name_;
  std::vector<std::uint8_t> pixels_;
  std::uint32_t references_ = 1;
  bool locked_ = false;
  HDC dc_ = nullptr;
  PALETTEENTRY dcPalette_[256] = {};
  MemoryPalette* palette_ = nullptr;
  MemorySurface* backBuffer_ = nullptr;
  MemorySurface* primary_ = nullptr;
};

// Bookkeeping of the live objects, so that a reset can drop them and a
// released object is freed exactly once.
void AdoptSurface(MemorySurface* surface);
void ForgetSurface(MemorySurface* surface);
void AdoptPalette(MemoryPalette* palette);
void ForgetPalette(MemoryPalette* palette);
void SetPrimary(MemorySurface* primary);
MemorySurface* Primary();

}  // namespace plat::shared
