// Timing of the software GDI: a button bitmap loaded and blitted as the
// editor does every pass, the editing grid and a line of text.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/devices.h"
#include "app/editor_state.h"
#include "bench_display.h"
#include "platform/gdi.h"
#include "platform/soft/gdi_bmp_decode.h"

namespace {

// An 800 x 600 screen in memory with the program's palette.
struct Screen {
  std::vector<std::uint8_t> pixels = std::vector<std::uint8_t>(800 * 600);
  Screen() { BuildPaletteTable(); }
  plat::HDC Open() { return plat::CreateSurfaceDC(pixels.data(), 800, 600, 800, paletteTable); }
};

std::vector<std::uint8_t> ReadAll(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
    int c;
    while ((c = std::fgetc(file)) != EOF) {
      bytes.push_back(static_cast<std::uint8_t>(c));
    }
    std::fclose(file);
  }
  return bytes;
}

const std::string kButton = std::string(PIXED_BITMAP_DIR) + "/load_button.bmp";

// What DrawBitmapFile does: load, memory context, select, describe, take the
// surface's context, copy, give everything back.
void BM_DrawButtonBitmap(benchmark::State& state) {
  Screen screen;
  for (auto _ : state) {
    plat::HBITMAP bitmap = plat::LoadImageA(nullptr, kButton.c_str(), plat::IMAGE_BITMAP, 0, 0,
                                            plat::LR_LOADFROMFILE | plat::LR_CREATEDIBSECTION);
    if (bitmap == nullptr) {
      state.SkipWithError(("no button bitmap at " + kButton).c_str());
      break;
    }
    plat::HDC memory = plat::CreateCompatibleDC(nullptr);
    plat::HGDIOBJ held = plat::SelectObject(memory, bitmap);
    plat::BITMAP description;
    plat::GetObjectA(bitmap, sizeof description, &description);
    plat::HDC dc = screen.Open();
    plat::BitBlt(dc, 30, 510, description.bmWidth, description.bmHeight, memory, 0, 0, plat::SRCCOPY);
    plat::DestroySurfaceDC(dc);
    plat::SelectObject(memory, held);
    plat::DeleteDC(memory);
    plat::DeleteObject(bitmap);
  }
  benchmark::DoNotOptimize(screen.pixels.data());
}
BENCHMARK(BM_DrawButtonBitmap);

// The decoding alone, from memory.
void BM_DecodeButtonBitmap(benchmark::State& state) {
  const std::vector<std::uint8_t> file = ReadAll(kButton);
  for (auto _ : state) {
    plat::soft::BitmapPixels pixels;
    if (!plat::soft::DecodeBmp(file.data(), file.size(), &pixels)) {
      state.SkipWithError("button bitmap not decoded");
      break;
    }
    benchmark::DoNotOptimize(pixels.indices.data());
  }
}
BENCHMARK(BM_DecodeButtonBitmap);

// The same file through SDL2's reader, for comparison.
void BM_DecodeButtonBitmapWithSdl(benchmark::State& state) {
  const std::vector<std::uint8_t> file = ReadAll(kButton);
  for (auto _ : state) {
    plat::soft::BitmapPixels pixels;
    if (!plat::soft::DecodeWithSdl(file.data(), file.size(), &pixels)) {
      state.SkipWithError("button bitmap not decoded");
      break;
    }
    benchmark::DoNotOptimize(pixels.indices.data());
  }
}
BENCHMARK(BM_DecodeButtonBitmapWithSdl);

// One status-line text of 30 characters.
void BM_TextLine(benchmark::State& state) {
  Screen screen;
  const char text[] = "Pointer (400,300)  color 15   ";
  for (auto _ : state) {
    plat::HDC dc = screen.Open();
    plat::SetTextColor(dc, plat::PALETTEINDEX(15));
    plat::SetBkColor(dc, 0);
    plat::SetBkMode(dc, plat::OPAQUE);
    plat::TextOutA(dc, 20, 560, text, sizeof text - 1);
    plat::DestroySurfaceDC(dc);
  }
  benchmark::DoNotOptimize(screen.pixels.data());
}
BENCHMARK(BM_TextLine);

}  // namespace
