// The display: an exclusive 800 x 600 x 8 mode, its surfaces and palette.
#pragma once

#include <cstdint>

#include "platform_types.h"

namespace plat {

class DeviceContext;
using HDC = DeviceContext*;

struct DDSCAPS2 {
  std::uint32_t dwCaps;
  std::uint32_t dwCaps2;
  std::uint32_t dwCaps3;
  std::uint32_t dwCaps4;
};

// The surface description record: filled by the caller to create the
// primary surface, and by every Lock with the memory address and pitch.
struct DDSURFACEDESC2 {
  std::uint32_t dwSize;
  std::uint32_t dwFlags;
  std::uint32_t dwHeight;
  std::uint32_t dwWidth;
  std::int32_t lPitch;
  std::uint32_t dwBackBufferCount;
  void* lpSurface;
  DDSCAPS2 ddsCaps;
};

// The colour-fill record of Blt.
struct DDBLTFX {
  std::uint32_t dwSize;
  std::uint32_t dwFillColor;
};

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

class DrawPalette {
 public:
  virtual ~DrawPalette() = default;
  // Copies count entries from first on into entries.
  virtual HRESULT GetEntries(std::uint32_t first, std::uint32_t count, PALETTEENTRY* entries) = 0;
  // Sets count entries from first on: every pixel of those indices shows
  // the new colour at the next present, on every surface the palette is set on.
  virtual HRESULT SetEntries(std::uint32_t first, std::uint32_t count, const PALETTEENTRY* entries) = 0;
  virtual std::uint32_t Release() = 0;
};

// An 8-bit surface. Either its memory is locked or a device context is out,
// never both: the second request fails, as the first platform's does.
class DrawSurface {
 public:
  virtual ~DrawSurface() = default;
  // Locks the whole surface (rect must be null) and fills desc's lpSurface,
  // lPitch, dwWidth and dwHeight. The memory stays valid until Unlock.
  virtual HRESULT Lock(RECT* rect, DDSURFACEDESC2* desc, std::uint32_t flags, void* event) = 0;
  virtual HRESULT Unlock(RECT* rect) = 0;
  // Hands out a device context drawing on the surface; give it back with
  // ReleaseDC before the surface can be locked again.
  virtual HRESULT GetDC(HDC* dc) = 0;
  virtual HRESULT ReleaseDC(HDC dc) = 0;
  // Only the colour fill is supported: dest and source null, flags holding
  // DDBLT_COLORFILL, fx->dwFillColor the palette index.
  virtual HRESULT Blt(RECT* dest, DrawSurface* source, RECT* sourceRect, std::uint32_t flags,
                      DDBLTFX* fx) = 0;
  // The back buffer attached to a primary surface (caps DDSCAPS_BACKBUFFER).
  virtual HRESULT GetAttachedSurface(DDSCAPS2* caps, DrawSurface** attached) = 0;
  virtual HRESULT SetPalette(DrawPalette* palette) = 0;
  virtual std::uint32_t Release() = 0;
};

// The display object: owner of the display mode, surfaces and palette.
class DirectDraw {
 public:
  virtual ~DirectDraw() = default;
  virtual HRESULT SetCooperativeLevel(HWND window, std::uint32_t flags) = 0;
  virtual HRESULT SetDisplayMode(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel,
                                 std::uint32_t refreshRate, std::uint32_t flags) = 0;
  // Creates the primary surface (with its back buffer) from desc.
  virtual HRESULT CreateSurface(DDSURFACEDESC2* desc, DrawSurface** surface, void* outer) = 0;
  // Copies the 256 entries; the caller's table may go away after the call.
  virtual HRESULT CreatePalette(std::uint32_t flags, const PALETTEENTRY* entries, DrawPalette** palette,
                                void* outer) = 0;
  virtual HRESULT RestoreDisplayMode() = 0;
  virtual std::uint32_t Release() = 0;
};

// guid null = the default display driver. Shared code: the surfaces live in
// memory; the backend is told of the display mode through plat::backend.
// The win32 backend wraps the real DirectDraw's objects instead.
HRESULT DirectDrawCreateEx(const void* guid, DirectDraw** directDraw, void* outer);

}  // namespace plat
