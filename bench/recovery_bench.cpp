// The recovery copy of unsaved work: what a write costs the pass (the working view read from the
// screen and the file's bytes made) and what it costs the writer's thread (a new file written,
// flushed to the disk and renamed over the old one), for 102 x 78 and 999 x 999, headless.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/editor_state.h"
#include "app/recovery_keeper.h"
#include "bench_display.h"
#include "platform/system.h"
#include "storage/recovery_format.h"

namespace {

void SetSize(benchmark::State& state) {
  editorState.width = static_cast<std::int32_t>(state.range(0));
  editorState.height = static_cast<std::int32_t>(state.range(0) == 102 ? 78 : state.range(0));
}

// On the pass: reading the working view and making the file's bytes but for the checksum.
void BM_RecoveryCopyOnThePass(benchmark::State& state) {
  if (!pixbench::OpenDisplay()) {
    state.SkipWithError("no display");
    return;
  }
  SetSize(state);
  for (auto _ : state) {
    benchmark::DoNotOptimize(recovery::EncodeUnsealed(recovery::CaptureWork()));
  }
  editorState.width = 102;
  editorState.height = 78;
}

// On the writer's thread: the checksum and one whole replace of the copy, waited for. The disk of
// /tmp.
void BM_RecoveryCopyWrite(benchmark::State& state) {
  if (!pixbench::OpenDisplay()) {
    state.SkipWithError("no display");
    return;
  }
  char pattern[] = "/tmp/pixed-bench-copy-XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    state.SkipWithError("no scratch folder");
    return;
  }
  SetSize(state);
  const std::string path = std::string(pattern) + "/copy.recovery";
  const std::vector<std::uint8_t> bytes = recovery::EncodeUnsealed(recovery::CaptureWork());
  for (auto _ : state) {
    plat::QueueFileReplace(path, bytes, recovery::Seal);
    plat::FinishQueuedFiles();
  }
  if (plat::QueuedFiles().lastReplaceError != 0) {
    state.SkipWithError("the write failed");
  }
  std::error_code error;
  std::filesystem::remove_all(pattern, error);
  editorState.width = 102;
  editorState.height = 78;
}

void Timed(benchmark::internal::Benchmark* benchmark) {
  benchmark->Unit(benchmark::kMicrosecond);
}

}  // namespace

BENCHMARK(BM_RecoveryCopyOnThePass)->ArgName("width")->Arg(102)->Arg(999)->Apply(Timed);
BENCHMARK(BM_RecoveryCopyWrite)->ArgName("width")->Arg(102)->Arg(999)->Apply(Timed)->UseRealTime();
