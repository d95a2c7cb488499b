// The in-memory display: surfaces, locks and device contexts, colour fills, palettes and references.
#include "platform/display.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gdi.h"
#include "platform/headless/headless.h"
#include "platform/soft/screen.h"
#include "platform/window.h"

namespace {

using namespace plat;

LRESULT QuietProcedure(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow() {
  WNDCLASSEX windowClass = {};
  windowClass.lpfnWndProc = QuietProcedure;
  windowClass.lpszClassName = "DisplayTest";
  RegisterClassExA(&windowClass);
  return CreateWindowExA(0, "DisplayTest", "t", WS_POPUP | WS_VISIBLE, 0, 0, 800, 600, nullptr, nullptr,
                         nullptr, nullptr);
}

DDSURFACEDESC2 PrimaryDesc() {
  DDSURFACEDESC2 desc = {};
  desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
  desc.dwBackBufferCount = 1;
  desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
  return desc;
}

std::vector<PALETTEENTRY> RampPalette() {
  std::vector<PALETTEENTRY> entries(256);
  for (int i = 0; i < 256; ++i) {
    entries[i] = PALETTEENTRY{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                              static_cast<std::uint8_t>(i / 2), PC_NOCOLLAPSE};
  }
  return entries;
}

// Counts screen pixels holding index.
long CountIndex(std::uint8_t index) {
  long count = 0;
  for (std::uint8_t pixel : headless::Screen()) {
    count += pixel == index ? 1 : 0;
  }
  return count;
}

class DisplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::Reset();
    window = MakeWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(DirectDrawCreateEx(nullptr, &directDraw, nullptr), DD_OK);
  }

  void MakePrimary() {
    DDSURFACEDESC2 desc = PrimaryDesc();
    ASSERT_EQ(directDraw->CreateSurface(&desc, &primary, nullptr), DD_OK);
    DDSCAPS2 caps = {DDSCAPS_BACKBUFFER, 0, 0, 0};
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &backBuffer), DD_OK);
  }

  void Fill(DrawSurface* surface, std::uint32_t index, RECT* rect = nullptr) {
    DDBLTFX fx = {sizeof(DDBLTFX), index};
    ASSERT_EQ(surface->Blt(rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), DD_OK);
  }

  HWND window = nullptr;
  DirectDraw* directDraw = nullptr;
  DrawSurface* primary = nullptr;
  DrawSurface* backBuffer = nullptr;
};

TEST_F(DisplayTest, OnlyThe800x600x8ModeIsAccepted) {
  struct Mode {
    std::uint32_t width, height, bits;
    HRESULT expected;
  };
  const Mode modes[] = {{640, 480, 8, DDERR_INVALIDMODE},  {800, 600, 16, DDERR_INVALIDMODE},
                        {800, 600, 32, DDERR_INVALIDMODE}, {1024, 768, 8, DDERR_INVALIDMODE},
                        {600, 800, 8, DDERR_INVALIDMODE},  {800, 600, 8, DD_OK}};
  for (const Mode& mode : modes) {
    EXPECT_EQ(directDraw->SetDisplayMode(mode.width, mode.height, mode.bits, 0, 0), mode.expected)
        << mode.width << "x" << mode.height << "x" << mode.bits;
  }
  EXPECT_TRUE(headless::DisplayExclusive());
  EXPECT_EQ(directDraw->RestoreDisplayMode(), DD_OK);
  EXPECT_FALSE(headless::DisplayExclusive());
}

TEST_F(DisplayTest, CreateSurfaceMakesOnePrimaryWithABackBuffer) {
  DDSURFACEDESC2 desc = PrimaryDesc();
  desc.dwBackBufferCount = 0;
  DrawSurface* made = nullptr;
  EXPECT_EQ(directDraw->CreateSurface(&desc, &made, nullptr), DDERR_INVALIDPARAMS) << "no back buffer";
  EXPECT_EQ(soft::CurrentScreen().pixels, nullptr);
  MakePrimary();
  ASSERT_NE(backBuffer, primary);
  const soft::ScreenView view = soft::CurrentScreen();
  EXPECT_EQ(view.width * view.height, 800 * 600);
  EXPECT_EQ(view.pitch, 800);
  EXPECT_EQ(view.palette, nullptr);
  DDSURFACEDESC2 again = PrimaryDesc();
  EXPECT_EQ(directDraw->CreateSurface(&again, &made, nullptr), DDERR_PRIMARYSURFACEALREADYEXISTS);
}

TEST_F(DisplayTest, LockFillsTheDescriptionWithTheScreenMemory) {
  MakePrimary();
  DDSURFACEDESC2 desc = PrimaryDesc();
  ASSERT_EQ(primary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(desc.lPitch, 800);
  EXPECT_EQ(desc.dwWidth, 800u);
  EXPECT_EQ(desc.dwHeight, 600u);
  ASSERT_NE(desc.lpSurface, nullptr);
  auto* bytes = static_cast<std::uint8_t*>(desc.lpSurface);
  bytes[0] = 11;
  bytes[599 * 800 + 799] = 22;
  bytes[300 * desc.lPitch + 400] = 33;
  EXPECT_EQ(primary->Unlock(nullptr), DD_OK);
  EXPECT_EQ(headless::ScreenAt(0, 0), 11);
  EXPECT_EQ(headless::ScreenAt(799, 599), 22);
  EXPECT_EQ(headless::ScreenAt(400, 300), 33);
  // The description's other fields are the caller's.
  EXPECT_EQ(desc.dwFlags, DDSD_CAPS | DDSD_BACKBUFFERCOUNT);
  RECT part = {0, 0, 10, 10};
  EXPECT_EQ(primary->Lock(&part, &desc, DDLOCK_WAIT, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(primary->Unlock(nullptr), DDERR_NOTLOCKED);
}

TEST_F(DisplayTest, LockAndDeviceContextExcludeEachOther) {
  MakePrimary();
  DDSURFACEDESC2 desc = {};
  HDC dc = nullptr;
  DDBLTFX fx = {sizeof(DDBLTFX), 5};
  ASSERT_EQ(primary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(primary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY) << "locked twice";
  EXPECT_EQ(primary->GetDC(&dc), DDERR_SURFACEBUSY) << "DC of a locked surface";
  EXPECT_EQ(dc, nullptr);
  EXPECT_EQ(primary->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_SURFACEBUSY);
  // The back buffer is a surface of its own.
  HDC backDc = nullptr;
  EXPECT_EQ(backBuffer->GetDC(&backDc), DD_OK);
  ASSERT_EQ(primary->Unlock(nullptr), DD_OK);

  ASSERT_EQ(primary->GetDC(&dc), DD_OK);
  ASSERT_NE(dc, nullptr);
  HDC second = nullptr;
  EXPECT_EQ(primary->GetDC(&second), DDERR_SURFACEBUSY) << "second DC";
  EXPECT_EQ(primary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY) << "lock with a DC out";
  EXPECT_EQ(primary->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_SURFACEBUSY);
  EXPECT_EQ(primary->ReleaseDC(backDc), DDERR_INVALIDPARAMS) << "someone else's DC";
  EXPECT_EQ(primary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DDERR_SURFACEBUSY) << "DC still out";
  EXPECT_EQ(primary->ReleaseDC(dc), DD_OK);
  EXPECT_EQ(primary->ReleaseDC(dc), DDERR_INVALIDPARAMS) << "released twice";
  EXPECT_EQ(primary->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(primary->Unlock(nullptr), DD_OK);
  // Held until here, so no context of the primary can take its address.
  EXPECT_EQ(backBuffer->ReleaseDC(backDc), DD_OK);
}

TEST_F(DisplayTest, ColourFillCoversTheSurfaceOrItsRectangleOnly) {
  MakePrimary();
  // Fresh surface memory is not black, so a missing clear shows.
  EXPECT_EQ(CountIndex(0), 0);
  Fill(primary, 0x1F4);  // only the low byte is an index
  EXPECT_EQ(CountIndex(0xF4), 800L * 600L);

  RECT rect = {10, 20, 30, 25};
  Fill(primary, 9, &rect);
  EXPECT_EQ(CountIndex(9), 20L * 5L);
  EXPECT_EQ(headless::ScreenAt(10, 20), 9);
  EXPECT_EQ(headless::ScreenAt(29, 24), 9);
  EXPECT_EQ(headless::ScreenAt(30, 24), 0xF4);
  EXPECT_EQ(headless::ScreenAt(29, 25), 0xF4);
  EXPECT_EQ(headless::ScreenAt(9, 20), 0xF4);

  const RECT badRects[] = {{-1, 0, 10, 10}, {0, -1, 10, 10}, {0, 0, 801, 10},
                           {0, 0, 10, 601}, {5, 0, 5, 10},   {0, 7, 10, 3}};
  for (RECT bad : badRects) {
    DDBLTFX fx = {sizeof(DDBLTFX), 1};
    EXPECT_EQ(primary->Blt(&bad, nullptr, nullptr, DDBLT_COLORFILL, &fx), DDERR_INVALIDPARAMS)
        << bad.left << "," << bad.top << "," << bad.right << "," << bad.bottom;
  }
  DDBLTFX fx = {sizeof(DDBLTFX), 1};
  EXPECT_EQ(primary->Blt(nullptr, nullptr, nullptr, DDBLT_WAIT, &fx), DDERR_INVALIDPARAMS) << "not a fill";
  EXPECT_EQ(primary->Blt(nullptr, backBuffer, nullptr, DDBLT_COLORFILL, &fx), DDERR_INVALIDPARAMS);
  EXPECT_EQ(primary->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, nullptr), DDERR_INVALIDPARAMS);
  EXPECT_EQ(CountIndex(1), 0);

  // Filling the back buffer leaves the screen alone.
  Fill(backBuffer, 77);
  EXPECT_EQ(CountIndex(77), 0);
}

TEST_F(DisplayTest, PaletteIsCopiedAndShownWithTheScreen) {
  MakePrimary();
  std::vector<PALETTEENTRY> entries = RampPalette();
  DrawPalette* palette = nullptr;
  EXPECT_EQ(directDraw->CreatePalette(DDPCAPS_ALLOW256, entries.data(), &palette, nullptr),
            DDERR_INVALIDPARAMS);
  ASSERT_EQ(directDraw->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, entries.data(), &palette, nullptr),
            DD_OK);
  entries.assign(256, PALETTEENTRY{1, 2, 3, 0});  // the caller's table may change afterwards
  ASSERT_EQ(primary->SetPalette(palette), DD_OK);
  const std::array<PALETTEENTRY, 256> shown = headless::Palette();
  for (int i : {0, 1, 128, 255}) {
    EXPECT_EQ(shown[i].peRed, i) << "entry " << i;
    EXPECT_EQ(shown[i].peGreen, 255 - i) << "entry " << i;
    EXPECT_EQ(shown[i].peFlags, PC_NOCOLLAPSE) << "entry " << i;
  }
  PALETTEENTRY some[4] = {};
  EXPECT_EQ(palette->GetEntries(252, 4, some), DD_OK);
  EXPECT_EQ(some[3].peRed, 255);
  EXPECT_EQ(palette->GetEntries(253, 4, some), DDERR_INVALIDPARAMS);
  EXPECT_EQ(palette->GetEntries(0xFFFFFFFFu, 2, some), DDERR_INVALIDPARAMS);
}

TEST_F(DisplayTest, DeviceContextsDrawWithThePrimarysPalette) {
  MakePrimary();
  const std::vector<PALETTEENTRY> entries = RampPalette();
  DrawPalette* palette = nullptr;
  ASSERT_EQ(directDraw->CreatePalette(DDPCAPS_8BIT, entries.data(), &palette, nullptr), DD_OK);
  ASSERT_EQ(primary->SetPalette(palette), DD_OK);
  Fill(primary, 0);
  Fill(backBuffer, 0);
  HDC dc = nullptr;
  ASSERT_EQ(primary->GetDC(&dc), DD_OK);
  SetPixel(dc, 3, 4, RGB(100, 155, 50));  // exactly entry 100
  EXPECT_EQ(GetPixel(dc, 3, 4), RGB(100, 155, 50));
  ASSERT_EQ(primary->ReleaseDC(dc), DD_OK);
  EXPECT_EQ(headless::ScreenAt(3, 4), 100);

  // The back buffer has no palette of its own: it takes the primary's.
  ASSERT_EQ(backBuffer->GetDC(&dc), DD_OK);
  SetPixel(dc, 7, 8, RGB(200, 55, 100));
  ASSERT_EQ(backBuffer->ReleaseDC(dc), DD_OK);
  DDSURFACEDESC2 desc = {};
  ASSERT_EQ(backBuffer->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr), DD_OK);
  EXPECT_EQ(static_cast<const std::uint8_t*>(desc.lpSurface)[8 * 800 + 7], 200);
  ASSERT_EQ(backBuffer->Unlock(nullptr), DD_OK);
}

TEST_F(DisplayTest, ShutdownOrderReleasesEverything) {
  ASSERT_EQ(directDraw->SetDisplayMode(800, 600, 8, 0, 0), DD_OK);
  MakePrimary();
  const std::vector<PALETTEENTRY> entries = RampPalette();
  DrawPalette* palette = nullptr;
  ASSERT_EQ(directDraw->CreatePalette(DDPCAPS_8BIT, entries.data(), &palette, nullptr), DD_OK);
  ASSERT_EQ(primary->SetPalette(palette), DD_OK);

  // The primary holds a reference on its palette and on its back buffer.
  EXPECT_EQ(palette->Release(), 1u);
  EXPECT_NE(soft::CurrentScreen().palette, nullptr) << "palette still set on the primary";
  EXPECT_EQ(backBuffer->Release(), 1u);
  EXPECT_EQ(primary->Release(), 0u);
  EXPECT_EQ(soft::CurrentScreen().pixels, nullptr);
  EXPECT_TRUE(headless::Screen().empty());
  EXPECT_TRUE(headless::DisplayExclusive());
  EXPECT_EQ(directDraw->RestoreDisplayMode(), DD_OK);
  EXPECT_FALSE(headless::DisplayExclusive());
  EXPECT_EQ(directDraw->Release(), 0u);

  const std::vector<std::string> expectedTail = {"Palette.Release", "BackBuffer.Release", "Primary.Release",
                                                 "DirectDraw.RestoreDisplayMode", "DirectDraw.Release"};
  const std::vector<std::string>& log = headless::CallLog();
  ASSERT_GE(log.size(), expectedTail.size());
  EXPECT_EQ(std::vector<std::string>(log.end() - 5, log.end()), expectedTail);
}

TEST_F(DisplayTest, InjectedFailureChangesNothing) {
  MakePrimary();
  Fill(primary, 3);
  struct Case {
    const char* call;
    HRESULT (*run)(DirectDraw*, DrawSurface*);
  };
  const Case cases[] = {
      {"Primary.Lock",
       [](DirectDraw*, DrawSurface* p) {
         DDSURFACEDESC2 d = {};
         const HRESULT hr = p->Lock(nullptr, &d, DDLOCK_WAIT, nullptr);
         return d.lpSurface == nullptr ? hr : S_OK;
       }},
      {"Primary.GetDC",
       [](DirectDraw*, DrawSurface* p) {
         HDC dc = nullptr;
         const HRESULT hr = p->GetDC(&dc);
         return dc == nullptr ? hr : S_OK;
       }},
      {"Primary.Blt",
       [](DirectDraw*, DrawSurface* p) {
         DDBLTFX fx = {sizeof(DDBLTFX), 200};
         return p->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx);
       }},
      {"DirectDraw.SetDisplayMode",
       [](DirectDraw* dd, DrawSurface*) { return dd->SetDisplayMode(800, 600, 8, 0, 0); }},
  };
  for (const Case& c : cases) {
    headless::FailCall(c.call);
    EXPECT_EQ(c.run(directDraw, primary), E_FAIL) << c.call;
  }
  EXPECT_EQ(CountIndex(3), 800L * 600L);
  EXPECT_FALSE(headless::DisplayExclusive());

  headless::FailCall("DirectDrawCreateEx");
  DirectDraw* another = nullptr;
  EXPECT_EQ(DirectDrawCreateEx(nullptr, &another, nullptr), E_FAIL);
  EXPECT_EQ(another, nullptr);
}

TEST_F(DisplayTest, ResetDropsLeakedObjects) {
  MakePrimary();
  HDC dc = nullptr;
  ASSERT_EQ(primary->GetDC(&dc), DD_OK);
  headless::Reset();  // everything above leaks on purpose
  EXPECT_EQ(soft::CurrentScreen().pixels, nullptr);
  window = MakeWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(DirectDrawCreateEx(nullptr, &directDraw, nullptr), DD_OK);
  MakePrimary();
  EXPECT_EQ(headless::Screen().size(), 800u * 600u);
}

}  // namespace
