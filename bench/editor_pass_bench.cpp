// Timing of one main-loop pass (idle, and painting with the quad pen) and of its pieces, headless.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/devices.h"
#include "app/editor_hits.h"
#include "app/editor_loop.h"
#include "app/editor_state.h"
#include "app/unsaved_work.h"
#include "app/winmain.h"
#include "canvas/image_history.h"
#include "canvas/palette_panel.h"
#include "canvas/pen.h"
#include "draw/image_areas.h"
#include "draw/primitives.h"
#include "harness/headless_setup.h"
#include "platform/gdi.h"
#include "platform/headless/headless.h"
#include "platform/system.h"
#include "platform/window.h"

namespace {

std::string scratchFolder;

void RemoveScratchFolder() {
  std::error_code error;
  std::filesystem::remove_all(scratchFolder, error);
}

void WriteBytes(const char* name, const void* data, std::size_t size) {
  std::FILE* file = std::fopen(name, "wb");
  if (file != nullptr) {
    std::fwrite(data, 1, size, file);
    std::fclose(file);
  }
}

// A scratch folder with the real button bitmaps and the settings files, and
// the editor started in it as WinMain starts it.
bool StartOnce() {
  static const bool started = [] {
    namespace fs = std::filesystem;
    char pattern[] = "/tmp/pixed-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr || chdir(pattern) != 0) {
      return false;
    }
    scratchFolder = pattern;
    std::atexit(RemoveScratchFolder);
    std::error_code error;
    int copied = 0;
    for (const auto& entry : fs::directory_iterator(PIXED_BITMAP_DIR, error)) {
      if (entry.path().extension() == ".bmp" &&
          fs::copy_file(entry.path(), entry.path().filename(), fs::copy_options::overwrite_existing, error)) {
        ++copied;
      }
    }
    if (copied < 20) {
      std::fprintf(stderr, "only %d button bitmaps in %s\n", copied, PIXED_BITMAP_DIR);
      return false;
    }
    const char name[25] = "test1.pix";
    WriteBytes("SaveName.dat", name, sizeof name);
    WriteBytes("LoadName.dat", name, sizeof name);
    const unsigned char size[2] = {102, 78};
    WriteBytes("SaveSize.dat", size, sizeof size);

    pixtest::FreshMachine();
    plat::headless::SetLogging(false);
    return pixtest::OpenTestWindow() && InitDevices() == 1;
  }();
  return started;
}

bool Ready(benchmark::State& state) {
  if (!StartOnce()) {
    state.SkipWithError("the editor could not be started");
    return false;
  }
  return true;
}

// Keeps Escape up and feeds the pass its mouse state.
void FeedPass(int dx, int dy, bool left) {
  plat::headless::QueueEscape(false);
  plat::headless::QueueMouse(dx, dy, left, false);
}

// The argument turns the undo history on (64 MB) or off.
void SetHistory(benchmark::State& state) {
  ResetImageHistory(state.range(0) != 0 ? kDefaultHistoryMegabytes * 1024 * 1024 : 0);
}

void BM_IdlePass(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  SetHistory(state);
  editorState.quadMode = 0;
  for (auto _ : state) {
    FeedPass(0, 0, false);
    if (!RunEditorPass()) {
      state.SkipWithError("the loop ended");
      break;
    }
  }
}

// The idle pass while the work is unsaved: "Unsaved" is drawn, and the recovery copy (written once,
// after the change) is kept in a state folder (copy 1) or not at all (copy 0). Beside BM_IdlePass.
void BM_IdlePassUnsaved(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  ResetImageHistory(kDefaultHistoryMegabytes * 1024 * 1024);
  plat::headless::SetStateFolder(state.range(0) != 0 ? scratchFolder + "/state" : "");
  StartRecovery();
  BeginImageStep();
  for (auto _ : state) {
    FeedPass(0, 0, false);
    if (!RunEditorPass()) {
      state.SkipWithError("the loop ended");
      break;
    }
  }
  NoteWorkSaved();
  EndRecovery();
  plat::headless::SetStateFolder("");
}

void BM_QuadPaintingPass(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  SetHistory(state);
  editorState.quadMode = 1;
  editorState.cursorX = 300;
  editorState.cursorY = 200;
  int step = 5;
  for (auto _ : state) {
    FeedPass(step, 0, true);
    step = -step;
    if (!RunEditorPass()) {
      state.SkipWithError("the loop ended");
      break;
    }
  }
  editorState.quadMode = 0;
}

void BM_ButtonBar(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  // Each time a pass of its own, which looks at the folders' reports once, as the editor's does.
  for (auto _ : state) {
    plat::BeginEditorPass();
    DrawButtonBar();
  }
}

// The bar in an art folder of 200 pix files and no bitmaps: each button is
// looked for there, name and case aside, before the program's own is taken.
void BM_ButtonBarFromTheProgramsFolder(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  std::filesystem::create_directory("art");
  if (chdir("art") != 0) {
    state.SkipWithError("no art folder");
    return;
  }
  for (int i = 0; i < 200; ++i) {
    WriteBytes(("sprites" + std::to_string(i) + ".pix").c_str(), "", 0);
  }
  // A folder the artist has not changed for a while.
  std::error_code error;
  std::filesystem::last_write_time(".", std::filesystem::file_time_type::clock::now() - std::chrono::hours(1),
                                   error);
  plat::SetBitmapFolder(PIXED_BITMAP_DIR);
  for (auto _ : state) {
    plat::BeginEditorPass();
    DrawButtonBar();
  }
  plat::SetBitmapFolder(nullptr);
  if (chdir("..") != 0) {
    state.SkipWithError("cannot leave the art folder");
  }
}

void BM_OneBitmapFile(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  for (auto _ : state) {
    plat::BeginEditorPass();
    benchmark::DoNotOptimize(DrawBitmapFile(displayDevice.primarySurface, 160, 500, "load_button.bmp"));
  }
}

// The file read and decode of DrawBitmapFile alone, without the copy.
void BM_LoadImageOnly(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  for (auto _ : state) {
    plat::HBITMAP bitmap = plat::LoadImageA(nullptr, "load_button.bmp", plat::IMAGE_BITMAP, 0, 0,
                                            plat::LR_LOADFROMFILE | plat::LR_CREATEDIBSECTION);
    benchmark::DoNotOptimize(bitmap);
    plat::DeleteObject(bitmap);
  }
}

// The three image areas drawn whole, as a pan, a zoom or a size change draws them.
void BM_WholeImageAreas(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  for (auto _ : state) {
    RedrawImageAreas();
    DrawImageAreas();
  }
}

// The ten text items of a pass, as the loop draws them.
void BM_TextFields(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  const char* items[10] = {"Load File Name:", "test1.pix", "Save File Name:", "test1.pix", "Width:", "102",
                           "Height:",         "78",        "Offset:",         "0"};
  for (auto _ : state) {
    for (const char* item : items) {
      DrawTextAt(item, 150, 410, plat::RGB(255, 255, 255), displayDevice.primarySurface);
    }
  }
}

void BM_PalettePanel(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  for (auto _ : state) {
    DrawPalettePanel();
  }
}

void BM_QuadPen(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  editorState.cursorX = 300;
  editorState.cursorY = 200;
  for (auto _ : state) {
    PaintQuadPen(29);
  }
}

void BM_StatusLine(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  for (auto _ : state) {
    std::snprintf(textLine, sizeof textLine, "Pointer (%d,%d)", 400, 300);
    DrawTextAt(textLine, 12, 572, plat::PALETTEINDEX(15), displayDevice.primarySurface);
  }
}

void BM_MouseRead(benchmark::State& state) {
  if (!Ready(state)) {
    return;
  }
  for (auto _ : state) {
    plat::headless::QueueMouse(0, 0, false, false);
    inputDevices.mouse->GetDeviceState(sizeof(plat::DIMOUSESTATE), &editorState.mouseState);
    plat::SetCursorPos(400, 300);
  }
}

void Timed(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true)->MinTime(0.2);
}

}  // namespace

// With the history on and off, side by side: a stroke copies the image once,
// at its first pass, and no idle pass pays for the history.
BENCHMARK(BM_IdlePass)->ArgName("history")->Arg(1)->Arg(0)->Apply(Timed);
BENCHMARK(BM_IdlePassUnsaved)->ArgName("copy")->Arg(1)->Arg(0)->Apply(Timed);
BENCHMARK(BM_QuadPaintingPass)->ArgName("history")->Arg(1)->Arg(0)->Apply(Timed);
BENCHMARK(BM_ButtonBar)->Apply(Timed);
BENCHMARK(BM_ButtonBarFromTheProgramsFolder)->Apply(Timed);
BENCHMARK(BM_OneBitmapFile)->Apply(Timed);
BENCHMARK(BM_LoadImageOnly)->Apply(Timed);
BENCHMARK(BM_WholeImageAreas)->Apply(Timed);
BENCHMARK(BM_TextFields)->Apply(Timed);
BENCHMARK(BM_PalettePanel)->Apply(Timed);
BENCHMARK(BM_QuadPen)->Apply(Timed);
BENCHMARK(BM_StatusLine)->Apply(Timed);
BENCHMARK(BM_MouseRead)->Apply(Timed);
