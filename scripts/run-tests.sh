#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer + UndefinedBehaviorSanitizer
# and warnings as errors, makes the release files (scripts/package.sh), smoke-runs the benchmarks,
# runs every test through CTest, then runs each fuzz target for a bounded time (scripts/fuzz.sh).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${PIXED_BUILD_DIR:-$root/build-tests}
jobs=${PIXED_JOBS:-2}

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/check-format.sh"
bash "$root/scripts/build.sh" test "$build"

# The release files, from a Release build of their own and this build's pixed.exe; the checks in
# CTest install and start them.
PIXED_PACKAGE_BUILD=$build/release-build PIXED_WIN32_BUILD=$build/win32 PIXED_WEB_BUILD=$build/web \
  bash "$root/scripts/package.sh" "$build/release-files"

# The benchmarks are built to prove they compile and run; their timings under the
# sanitizers mean nothing, so each runs only briefly.
if [[ -x "$build/bench/pixed_bench" ]]; then
  echo "run-tests: benchmark smoke run"
  bench_log=$build/bench/smoke.log
  "$build/bench/pixed_bench" --benchmark_min_time=0.001 --benchmark_format=console >"$bench_log" 2>&1
  # A benchmark that cannot set itself up reports an error but still exits 0.
  if grep -q "ERROR OCCURRED" "$bench_log"; then
    grep "ERROR OCCURRED" "$bench_log" | sort -u >&2
    echo "run-tests: a benchmark could not run (log: $bench_log)" >&2
    exit 1
  fi
  echo "run-tests: benchmarks ran"
fi

ctest --test-dir "$build" --output-on-failure -j "$jobs"

# The fuzz targets, built with clang in their own folder, each for a bounded time.
bash "$root/scripts/fuzz.sh"
