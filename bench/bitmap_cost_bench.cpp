// Timing of DrawBitmapFile on the costliest bitmap files of every form: huge
// sizes claimed by tiny run-length files, the largest uncompressed files, and
// full-screen colour noise that matches no palette entry.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_display.h"
#include "draw/primitives.h"
#include "harness/bmp_writer.h"

namespace {

using pixtest::Bytes;

// Grey levels, a colour table of as many entries as the bits address (none above eight bits).
std::vector<pixtest::Rgb> Greys(int bits) {
  const int colours = bits <= 8 ? 1 << bits : 0;
  std::vector<pixtest::Rgb> table;
  for (int i = 0; i < colours; ++i) {
    const auto level = static_cast<std::uint8_t>(i * 255 / (colours > 1 ? colours - 1 : 1));
    table.push_back({level, static_cast<std::uint8_t>(255 - level), level});
  }
  return table;
}

// Noise that no run-length coder or colour memo can shorten.
Bytes Noise(std::size_t size) {
  Bytes bytes(size);
  std::uint32_t state = 12345;
  for (std::uint8_t& byte : bytes) {
    state = state * 1664525u + 1013904223u;
    byte = static_cast<std::uint8_t>(state >> 24);
  }
  return bytes;
}

std::size_t RowBytes(int width, int bits) {
  return (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
}

Bytes Uncompressed(int width, int height, int bits) {
  return pixtest::MakeBmp({width, height, bits}, Greys(bits), Noise(RowBytes(width, bits) * height));
}

// Run-length rows: runs of 255 pixels, or (literal) absolute runs of 254
// pixels, which the reader takes a byte at a time.
Bytes RunLength(int width, int height, bool rle8, bool literal) {
  Bytes pixels;
  const Bytes noise = Noise(static_cast<std::size_t>(width));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width;) {
      const int run = std::min(width - x, literal ? 254 : 255);
      if (literal && run >= 3) {
        pixels.insert(pixels.end(), {0, static_cast<std::uint8_t>(run)});
        const int bytes = rle8 ? run : (run + 1) / 2;
        pixels.insert(pixels.end(), noise.begin(), noise.begin() + bytes);
        if (bytes % 2 != 0) {
          pixels.push_back(0);
        }
      } else {
        pixels.insert(pixels.end(), {static_cast<std::uint8_t>(run), static_cast<std::uint8_t>(y * 7 + x)});
      }
      x += run;
    }
    pixels.insert(pixels.end(), {0, 0});
  }
  pixels.insert(pixels.end(), {0, 1});
  return pixtest::MakeBmp({width, height, rle8 ? 8 : 4, rle8 ? 1u : 2u}, Greys(rle8 ? 8 : 4), pixels);
}

// The same pixels as Uncompressed(8), behind the OS/2 core header that only SDL2's reader takes.
Bytes CoreHeader8(int width, int height) {
  return pixtest::MakeBmp({width, height, 8, 0, true}, Greys(8), Noise(RowBytes(width, 8) * height));
}

// 32 bits with explicit masks: blue, green, red in the high bytes.
Bytes BitFields32(int width, int height) {
  Bytes out = Uncompressed(width, height, 32);
  out[30] = 3;  // BI_BITFIELDS, masks in place of the first three colours
  out[10] += 12;
  const Bytes masks = {0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF};
  out.insert(out.begin() + 54, masks.begin(), masks.end());
  return out;
}

struct Form {
  const char* name;
  Bytes (*make)();
};

// Every form at the largest size taken (800 x 600 pixels, or 4096 on one
// side), with contents that give the readers and the colour mapping the most work.
const Form kForms[] = {
    {"rle8 800x600 ended at once",
     [] {
       return pixtest::MakeBmp({800, 600, 8, 1}, Greys(8), {0, 1});
     }},
    {"rle8 800x600 runs", [] { return RunLength(800, 600, true, false); }},
    {"rle8 800x600 literal", [] { return RunLength(800, 600, true, true); }},
    {"rle4 800x600 literal", [] { return RunLength(800, 600, false, true); }},
    {"rle8 4096x117 literal", [] { return RunLength(4096, 117, true, true); }},
    {"1 bit 800x600", [] { return Uncompressed(800, 600, 1); }},
    {"1 bit 117x4096", [] { return Uncompressed(117, 4096, 1); }},
    {"4 bits 800x600", [] { return Uncompressed(800, 600, 4); }},
    {"8 bits 800x600", [] { return Uncompressed(800, 600, 8); }},
    {"8 bits 800x600 core header", [] { return CoreHeader8(800, 600); }},
    {"16 bits 800x600 noise", [] { return Uncompressed(800, 600, 16); }},
    {"24 bits 800x600 noise", [] { return Uncompressed(800, 600, 24); }},
    {"24 bits 117x4096 noise", [] { return Uncompressed(117, 4096, 24); }},
    {"32 bits 800x600 noise", [] { return Uncompressed(800, 600, 32); }},
    {"32 bits bit fields 800x600 noise", [] { return BitFields32(800, 600); }},
    {"24 bits 4096x4096 (refused)", [] { return Uncompressed(4096, 4096, 24); }},
    {"rle8 4096x4096 ended at once (refused)",
     [] {
       return pixtest::MakeBmp({4096, 4096, 8, 1}, Greys(8), {0, 1});
     }},
};

std::string scratchFolder;

void RemoveScratchFolder() {
  std::error_code error;
  std::filesystem::remove_all(scratchFolder, error);
}

bool WriteForms() {
  static const bool written = [] {
    char pattern[] = "/tmp/pixed-bmpbench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
      return false;
    }
    scratchFolder = pattern;
    std::atexit(RemoveScratchFolder);
    for (const Form& form : kForms) {
      const Bytes bytes = form.make();
      std::FILE* file =
          std::fopen((scratchFolder + "/" + std::to_string(&form - kForms) + ".bmp").c_str(), "wb");
      if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        return false;
      }
      std::fclose(file);
    }
    return pixbench::OpenDisplay();
  }();
  return written;
}

void BM_DrawCostlyBitmap(benchmark::State& state) {
  const Form& form = kForms[state.range(0)];
  state.SetLabel(form.name);
  if (!WriteForms()) {
    state.SkipWithError("the files or the display could not be prepared");
    return;
  }
  const std::string path = scratchFolder + "/" + std::to_string(state.range(0)) + ".bmp";
  int drawn = 0;
  for (auto _ : state) {
    drawn = DrawBitmapFile(displayDevice.primarySurface, 0, 0, path.c_str());
  }
  state.counters["drawn"] = drawn;
}
BENCHMARK(BM_DrawCostlyBitmap)
    ->DenseRange(0, sizeof kForms / sizeof kForms[0] - 1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
