#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer + UndefinedBehaviorSanitizer
# and warnings as errors, smoke-runs the benchmarks and runs every test through CTest.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${PIXED_BUILD_DIR:-$root/build-tests}
jobs=${PIXED_JOBS:-2}

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/check-format.sh"
bash "$root/scripts/build.sh" test "$build"

# The benchmarks are built to prove they compile and run; their timings under the
# sanitizers mean nothing, so each runs only briefly.
if [[ -x "$build/bench/pixed_bench" ]]; then
  echo "run-tests: benchmark smoke run"
  "$build/bench/pixed_bench" --benchmark_min_time=0.001 --benchmark_format=console >/dev/null
  echo "run-tests: benchmarks ran"
fi

ctest --test-dir "$build" --output-on-failure -j "$jobs"
