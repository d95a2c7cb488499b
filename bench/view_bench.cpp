// The passes of the grid as a view and of what lies over the image: panning and zooming a 999 x 999 image,
// the pen at both sizes, the onion skin, a floating selection dragged, and copy, cut and paste of the largest
// image.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/devices.h"
#include "app/editor_loop.h"
#include "app/editor_state.h"
#include "app/onion_skin.h"
#include "canvas/grid_view.h"
#include "canvas/image_history.h"
#include "canvas/image_store.h"
#include "canvas/selection.h"
#include "draw/image_areas.h"
#include "harness/headless_setup.h"
#include "platform/headless/headless.h"
#include "platform/input.h"

namespace {

std::string folder;

void RemoveFolder() {
  std::error_code error;
  std::filesystem::remove_all(folder, error);
}

// The editor started once in a scratch folder with the button bitmaps, as
// an artist's folder has them.
bool Started() {
  static const bool started = [] {
    namespace fs = std::filesystem;
    char pattern[] = "/tmp/pixed-view-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0) {
      return false;
    }
    folder = pattern;
    std::atexit(RemoveFolder);
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(PIXED_BITMAP_DIR, error)) {
      if (entry.path().extension() == ".bmp") {
        fs::copy_file(entry.path(), entry.path().filename(), fs::copy_options::overwrite_existing, error);
      }
    }
    pixtest::FreshMachine();
    plat::headless::SetLogging(false);
    return pixtest::OpenTestWindow() && InitDevices() == 1;
  }();
  return started;
}

// The size, a patterned image of it, the start view, everything drawn once.
bool Prepare(benchmark::State& state, int width, int height) {
  if (!Started()) {
    state.SkipWithError("the editor could not be started");
    return false;
  }
  ResetEditing();
  editorState.width = width;
  editorState.height = height;
  IndexImage image = FilledImage(width, height, 0);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    image.pixels[i] = static_cast<std::uint8_t>(1 + i * 7 % 80);
  }
  ReplaceWorkingImage(std::move(image));
  RedrawImageAreas();
  plat::headless::QueueMouse(0, 0, false);
  RunEditorPass();
  return true;
}

void Pass(int dx, int dy, bool left, int wheel = 0) {
  plat::headless::QueueEscape(false);
  plat::DIMOUSESTATE mouse{};
  mouse.lX = dx;
  mouse.lY = dy;
  mouse.lZ = wheel;
  mouse.rgbButtons[0] = left ? 0x80 : 0;
  plat::headless::QueueMouse(mouse);
  RunEditorPass();
}

void BM_IdlePassAt(benchmark::State& state) {
  if (!Prepare(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(0)))) {
    return;
  }
  for (auto _ : state) {
    Pass(0, 0, false);
  }
}

// A pass that pans the grid by a quarter of it, back and forth.
void BM_PanPass(benchmark::State& state) {
  if (!Prepare(state, 999, 999)) {
    return;
  }
  int step = 25;
  for (auto _ : state) {
    PanBy(step, step);
    step = -step;
    Pass(0, 0, false);
  }
}

// A pass that turns the wheel a notch over the grid, in and out.
void BM_WheelPass(benchmark::State& state) {
  if (!Prepare(state, 999, 999)) {
    return;
  }
  editorState.cursorX = 400;
  editorState.cursorY = 200;
  int notch = 120;
  for (auto _ : state) {
    Pass(0, 0, false, notch);
    notch = -notch;
  }
}

// Zoom to fit and back to the start pitch, a pass each.
void BM_FitPass(benchmark::State& state) {
  if (!Prepare(state, 999, 999)) {
    return;
  }
  bool fit = true;
  for (auto _ : state) {
    if (fit) {
      ZoomToFit();
    } else {
      ZoomAt(5, 400, 200);
    }
    fit = !fit;
    Pass(0, 0, false);
  }
}

// A pen stroke going on, a cell a pass.
void BM_PenPass(benchmark::State& state) {
  if (!Prepare(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(0)))) {
    return;
  }
  editorState.cursorX = 300;
  editorState.cursorY = 200;
  int step = 5;
  for (auto _ : state) {
    Pass(step, 0, true);
    step = -step;
  }
  Pass(0, 0, false);
}

// The onion skin on, its neighbours drawn: the idle pass, and the pass that
// draws the whole grid with it.
void BM_OnionPass(benchmark::State& state) {
  if (!Prepare(state, 102, 78)) {
    return;
  }
  const bool whole = state.range(0) != 0;
  ToggleOnionSkin();
  for (auto _ : state) {
    if (whole) {
      RedrawImageAreas();
    }
    Pass(0, 0, false);
  }
  ToggleOnionSkin();
}

// A floating selection of the whole 102 x 78 image dragged a cell a pass.
void BM_FloatingDragPass(benchmark::State& state) {
  if (!Prepare(state, 102, 78)) {
    return;
  }
  SelectAll();
  BeginSelectionMove();
  int left = 1;
  for (auto _ : state) {
    MoveFloatingTo(left, 0);
    left = 1 - left;
    Pass(0, 0, false);
  }
  DropSelection();
}

// Paste, cut and Delete of a selection of the whole 999 x 999 image.
void BM_LargestSelection(benchmark::State& state) {
  if (!Prepare(state, 999, 999)) {
    return;
  }
  SelectAll();
  CopySelection();
  for (auto _ : state) {
    switch (state.range(0)) {
      case 0:
        PasteClipboard();
        break;
      case 1:
        CutSelection();
        break;
      default:
        DeleteSelection();
    }
    state.PauseTiming();
    UndoImageStep();
    SelectAll();
    state.ResumeTiming();
  }
}

void Timed(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true)->MinTime(0.2);
}

}  // namespace

BENCHMARK(BM_IdlePassAt)->ArgName("side")->Arg(102)->Arg(999)->Apply(Timed);
BENCHMARK(BM_PanPass)->Apply(Timed);
BENCHMARK(BM_WheelPass)->Apply(Timed);
BENCHMARK(BM_FitPass)->Apply(Timed);
BENCHMARK(BM_PenPass)->ArgName("side")->Arg(102)->Arg(999)->Apply(Timed);
BENCHMARK(BM_OnionPass)->ArgName("whole")->Arg(0)->Arg(1)->Apply(Timed);
BENCHMARK(BM_FloatingDragPass)->Apply(Timed);
BENCHMARK(BM_LargestSelection)->ArgName("paste_cut_delete")->Arg(0)->Arg(1)->Arg(2)->Apply(Timed);
