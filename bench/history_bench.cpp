// The undo history: beginning a step and undoing it, and the memory a full history takes, headless.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <fstream>

#include "app/editor_state.h"
#include "bench_display.h"
#include "canvas/image_history.h"

namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;

// Resident memory of this process in bytes.
std::uint64_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  std::uint64_t size = 0;
  std::uint64_t resident = 0;
  statm >> size >> resident;
  return resident * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

// A stroke's, a Load's or a Clear's copy, then Ctrl+Z: the next step drops
// the undone one, as an artist's next stroke does.
void BM_BeginAndUndoStep(benchmark::State& state) {
  if (!pixbench::OpenDisplay()) {
    state.SkipWithError("no display");
    return;
  }
  ResetImageHistory(kDefaultHistoryMegabytes * kMegabyte);
  editorState.width = static_cast<std::int32_t>(state.range(0));
  editorState.height = static_cast<std::int32_t>(state.range(1));
  for (auto _ : state) {
    BeginImageStep();
    if (!UndoImageStep()) {
      state.SkipWithError("nothing to undo");
      break;
    }
  }
  editorState.width = 102;
  editorState.height = 78;
}

// The history filled past its cap at 102 x 78, then at 999 x 999, then at
// 102 x 78 again: the resident growth at its largest against the cap.
void BM_FullHistoryMemory(benchmark::State& state) {
  if (!pixbench::OpenDisplay()) {
    state.SkipWithError("no display");
    return;
  }
  const std::uint64_t cap = static_cast<std::uint64_t>(state.range(0)) * kMegabyte;
  for (auto _ : state) {
    ResetImageHistory(cap);
    const std::uint64_t before = ResidentBytes();
    std::uint64_t largest = 0;
    std::size_t steps102 = 0;
    std::size_t steps999 = 0;
    for (const auto& [size, strokes] : {std::pair{102, 400}, std::pair{999, 200}, std::pair{102, 400}}) {
      editorState.width = size;
      editorState.height = size == 102 ? 78 : 999;
      for (int i = 0; i < strokes; ++i) {
        BeginImageStep();
        largest = std::max(largest, ResidentBytes() - std::min(before, ResidentBytes()));
      }
      (size == 102 ? steps102 : steps999) = UndoableSteps();
    }
    state.counters["cap_MB"] = static_cast<double>(cap) / kMegabyte;
    state.counters["held_MB"] = static_cast<double>(HistoryBytes()) / kMegabyte;
    state.counters["rss_growth_MB"] = static_cast<double>(largest) / kMegabyte;
    state.counters["growth_per_cap"] = static_cast<double>(largest) / static_cast<double>(cap);
    state.counters["steps_102x78"] = static_cast<double>(steps102);
    state.counters["steps_999x999"] = static_cast<double>(steps999);
    state.counters["rss_total_MB"] = static_cast<double>(ResidentBytes()) / kMegabyte;
    ResetImageHistory(kDefaultHistoryMegabytes * kMegabyte);
  }
  editorState.width = 102;
  editorState.height = 78;
}

}  // namespace

BENCHMARK(BM_BeginAndUndoStep)
    ->Args({102, 78})
    ->Args({999, 999})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true)
    ->MinTime(0.2);
BENCHMARK(BM_FullHistoryMemory)->Arg(64)->Iterations(1)->Unit(benchmark::kMillisecond);
