// Timing of the tools, headless: a fill of the whole image at 102 x 78 and at the largest
// size, a flip and a shift, and a main-loop pass while a line or rectangle is dragged (to
// hold beside BM_IdlePass of the same run).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/devices.h"
#include "app/editor_loop.h"
#include "app/editor_state.h"
#include "app/winmain.h"
#include "canvas/fill.h"
#include "canvas/image_history.h"
#include "canvas/image_moves.h"
#include "canvas/image_store.h"
#include "canvas/locked_screen.h"
#include "canvas/tools.h"
#include "draw/primitives.h"
#include "platform/headless/headless.h"
#include "platform/system.h"
#include "platform/window.h"

namespace {

void WriteBytes(const char* name, const void* data, std::size_t size) {
  std::FILE* file = std::fopen(name, "wb");
  if (file != nullptr) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
}

// The editor as the pass benchmarks run it: the one they started, else one
// started here the same way, in a scratch folder with the button bitmaps.
bool EditorRunning() {
  if (editorState.windowHandle != nullptr && plat::headless::WindowAlive() && inputDevices.mouse != nullptr) {
    return true;
  }
  char pattern[] = "/tmp/pixed-tools-bench-XXXXXX";
  if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0) {
    return false;
  }
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(PIXED_BITMAP_DIR, error)) {
    std::filesystem::copy_file(entry.path(), entry.path().filename(),
                               std::filesystem::copy_options::overwrite_existing, error);
  }
  const char name[25] = "test1.pix";
  WriteBytes("SaveName.dat", name, sizeof name);
  WriteBytes("LoadName.dat", name, sizeof name);
  const unsigned char size[2] = {102, 78};
  WriteBytes("SaveSize.dat", size, sizeof size);
  plat::headless::Reset();
  ResetEditorState();
  plat::headless::SetLogging(false);
  plat::HINSTANCE instance = plat::GetModuleHandleA(nullptr);
  plat::WNDCLASSEX windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = "WINCLASS1";
  editorState.instanceHandle = instance;
  if (plat::RegisterClassExA(&windowClass) == 0) {
    return false;
  }
  editorState.windowHandle =
      plat::CreateWindowExA(0, "WINCLASS1", "DirectDraw Test for Game", plat::WS_POPUP | plat::WS_VISIBLE, 0,
                            0, 800, 600, nullptr, nullptr, instance, nullptr);
  return editorState.windowHandle != nullptr && InitDevices() == 1;
}

bool Ready(benchmark::State& state) {
  if (!EditorRunning()) {
    state.SkipWithError("the editor could not be started");
    return false;
  }
  ResetImageHistory(kDefaultHistoryMegabytes * 1024 * 1024);
  return true;
}

// One pass with Escape up and the mouse moved by (dx, dy).
bool Pass(int dx, int dy, bool left) {
  plat::headless::QueueEscape(false);
  plat::headless::QueueMouse(dx, dy, left, false);
  return RunEditorPass();
}

// A fill of the whole image, of one colour, with the other of two colours
// in turn: every pixel changes, and a step of the history is taken each time.
void BM_FillWholeImage(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  editorState.width = static_cast<std::int32_t>(state.range(0));
  editorState.height = static_cast<std::int32_t>(state.range(0) == 102 ? 78 : state.range(0));
  // The whole screen in one colour: the image is one area.
  int colour = 1;
  FillImages(static_cast<std::uint8_t>(colour));
  for (auto _ : state) {
    colour = 3 - colour;
    if (!FillImage({0, 0}, colour, false)) {
      state.SkipWithError("the fill changed nothing");
      break;
    }
  }
  editorState.width = 102;
  editorState.height = 78;
}

// Every pixel of the 102 x 78 image a panel colour of its own row and column,
// so that a flip or a shift changes almost every pixel.
void PaintPattern() {
  for (int row = 0; row < editorState.height; ++row) {
    for (int column = 0; column < editorState.width; ++column) {
      SetWorkingPixel(column, row, (7 * column + 3 * row) % 81);
    }
  }
}

void BM_Flip(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  PaintPattern();
  for (auto _ : state) {
    FlipImage(FlipAxis::LeftToRight);
  }
}

void BM_Shift(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  PaintPattern();
  for (auto _ : state) {
    ShiftImage(1, 0);
  }
}

// A pass with the left button held while the line or the rectangle from
// (10, 10) is dragged to (60, 40) and (61, 40) in turn: each pass puts back
// what the last preview covered and shows the next.
void BM_DragPass(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  ChooseTool(*ToolWithKey(state.range(0) == 0 ? plat::VK_L : plat::VK_U, false));
  Pass(150 - editorState.cursorX, 60 - editorState.cursorY, false);
  Pass(0, 0, true);
  Pass(250, 150, true);
  int step = 5;
  for (auto _ : state) {
    if (!Pass(step, 0, true)) {
      state.SkipWithError("the loop ended");
      break;
    }
    step = -step;
  }
  Pass(0, 0, false);
  ChooseTool(*ToolWithKey(plat::VK_B, false));
}

void Timed(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true)->MinTime(0.2);
}

}  // namespace

// 102 x 78, and the largest size the entry takes (shown as far as the screen reaches).
BENCHMARK(BM_FillWholeImage)->ArgName("size")->Arg(102)->Arg(999)->Apply(Timed);
BENCHMARK(BM_Flip)->Apply(Timed);
BENCHMARK(BM_Shift)->Apply(Timed);
BENCHMARK(BM_DragPass)->ArgName("rectangle")->Arg(0)->Arg(1)->Apply(Timed);
