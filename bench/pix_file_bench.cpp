// Timing of saving and loading one 102 x 78 pix image, and of the largest save, headless.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/editor_state.h"
#include "bench_display.h"
#include "canvas/palette_panel.h"
#include "platform/display.h"
#include "storage/pix_file.h"

namespace {

std::string scratchFolder;

void RemoveScratchFolder() {
  std::error_code error;
  std::filesystem::remove_all(scratchFolder, error);
}

// A scratch folder holding a load file of two images.
bool PrepareOnce() {
  static const bool prepared = [] {
    char pattern[] = "/tmp/pixed-pixbench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
      return false;
    }
    scratchFolder = pattern;
    std::atexit(RemoveScratchFolder);
    std::FILE* file = std::fopen((scratchFolder + "/bench.pix").c_str(), "wb");
    if (file == nullptr) {
      return false;
    }
    for (int i = 0; i < 2 * 102 * 78; ++i) {
      std::fputc(i % 81, file);
    }
    std::fclose(file);
    return pixbench::OpenDisplay();
  }();
  return prepared;
}

// For the time of one benchmark: the scratch folder as working folder, the
// bench file as load and save file, the panel drawn and the working view
// painted. The folder and the editor's settings are given back afterwards.
class PixBenchScope {
 public:
  PixBenchScope() : saved_(editorState) {
    char folder[4096];
    if (getcwd(folder, sizeof folder) != nullptr) {
      previousFolder_ = folder;
    }
    ready_ = PrepareOnce() && chdir(scratchFolder.c_str()) == 0;
    std::memcpy(editorState.loadFileName, "bench.pix", 10);
    std::memcpy(editorState.saveFileName, "bench.pix", 10);
    editorState.width = 102;
    editorState.height = 78;
    ready_ = ready_ && PaintScreen();
  }
  ~PixBenchScope() {
    editorState = saved_;
    if (!previousFolder_.empty() && chdir(previousFolder_.c_str()) != 0) {
      std::perror("chdir back");
    }
  }
  bool Ready() const { return ready_; }

 private:
  static bool PaintScreen() {
    DrawPalettePanel();
    plat::DDSURFACEDESC2 desc = {};
    if (plat::FAILED(displayDevice.primarySurface->Lock(nullptr, &desc, plat::DDLOCK_WAIT, nullptr))) {
      return false;
    }
    auto* memory = static_cast<std::uint8_t*>(desc.lpSurface);
    for (int y = 0; y < 78; ++y) {
      for (int x = 0; x < 102; ++x) {
        memory[(128 + y) * desc.lPitch + 6 + x] = static_cast<std::uint8_t>((x * 7 + y * 3) % 81);
      }
    }
    displayDevice.primarySurface->Unlock(nullptr);
    return true;
  }

  EditorState saved_;
  std::string previousFolder_;
  bool ready_ = false;
};

// Over image 1, so the file keeps its length however many rounds run.
void BM_SavePixImage(benchmark::State& state) {
  PixBenchScope scope;
  if (!scope.Ready()) {
    state.SkipWithError("the headless display could not be prepared");
    return;
  }
  for (auto _ : state) {
    editorState.offsetNumber = 1;
    if (SavePixImage() != 1) {
      state.SkipWithError("the save failed");
      break;
    }
  }
}
BENCHMARK(BM_SavePixImage)->Unit(benchmark::kMillisecond);

// The largest size the settings menu takes: most of the image lies beyond the
// screen, where every pixel still goes through the colour comparison.
void BM_SavePixImage999x999(benchmark::State& state) {
  PixBenchScope scope;
  if (!scope.Ready()) {
    state.SkipWithError("the headless display could not be prepared");
    return;
  }
  editorState.width = 999;
  editorState.height = 999;
  for (auto _ : state) {
    editorState.offsetNumber = 1;
    if (SavePixImage() != 1) {
      state.SkipWithError("the save failed");
      break;
    }
  }
}
BENCHMARK(BM_SavePixImage999x999)->Unit(benchmark::kMillisecond);

void BM_LoadPixImage(benchmark::State& state) {
  PixBenchScope scope;
  if (!scope.Ready()) {
    state.SkipWithError("the headless display could not be prepared");
    return;
  }
  for (auto _ : state) {
    if (LoadPixImage(1) != 1) {
      state.SkipWithError("the load failed");
      break;
    }
  }
}
BENCHMARK(BM_LoadPixImage)->Unit(benchmark::kMicrosecond);

}  // namespace
