#!/usr/bin/env bash
# Builds the fuzz targets (tests/fuzz) with clang, AddressSanitizer,
# UndefinedBehaviorSanitizer and libFuzzer in ./build-fuzz, and runs each for a
# while: first every input of its corpus (tests/fuzz/corpus/<target>, which
# holds every input that ever failed), then new ones. Fails on any crash,
# sanitizer report, failed check, input slower than 10 s or allocation of
# 64 MB (the largest bitmap needs 2 MB); the input is left
# in build-fuzz/findings. New inputs found go to build-fuzz/corpus/<target>.
#
# Usage: scripts/fuzz.sh [target...]          (all six by default)
#   PIXED_FUZZ_SECONDS   seconds per target (default 60)
#   PIXED_FUZZ_JOBS      targets run side by side (default 2)
#   scripts/fuzz.sh replay [target...]   times every corpus input in a release
#                                        build (./build-fuzz-release), slowest first
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${PIXED_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${PIXED_FUZZ_SECONDS:-60}
jobs=${PIXED_FUZZ_JOBS:-2}
all_targets=(bitmap bitmap_readers settings pix entries palette)
compiler=$(command -v clang++-14 || command -v clang++ || true)
if [[ -z "$compiler" ]]; then
  echo "fuzz: clang++ not found (scripts/install-deps.sh installs clang-14)" >&2
  exit 1
fi

mode=fuzz
if [[ "${1:-}" == replay ]]; then
  mode=replay
  shift
fi
targets=("$@")
if ((${#targets[@]} == 0)); then
  targets=("${all_targets[@]}")
fi

# Seed folders of a target besides its corpus: the BMP suite, as files for the
# readers and with a position appended (x 100, y 50) for the drawing target.
seeds_of() {
  local target=$1
  case "$target" in
    bitmap_readers) echo "$root/tests/data/bmpsuite/g $root/tests/data/bmpsuite/q $root/tests/data/bmpsuite/b" ;;
    bitmap)
      local placed=$build/seeds/bitmap
      mkdir -p "$placed"
      for file in "$root"/tests/data/bmpsuite/g/*.bmp "$root"/tests/data/bmpsuite/q/*.bmp; do
        { cat "$file"; printf '\x32\x04\x00\x64\x04\x00'; } >"$placed/$(basename "$file")"
      done
      echo "$placed"
      ;;
  esac
}

if [[ "$mode" == replay ]]; then
  release=${PIXED_FUZZ_RELEASE_DIR:-$root/build-fuzz-release}
  cmake -S "$root" -B "$release" -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_BUILD_TYPE=Release -DPIXED_FUZZ=ON \
    -DPIXED_FUZZ_LIBFUZZER=OFF -DPIXED_SANITIZE=OFF -DPIXED_TESTS=OFF -DPIXED_BENCH=OFF >/dev/null
  cmake --build "$release" -j 2 --target "${targets[@]/#/replay_}"
  for target in "${targets[@]}"; do
    echo "== $target"
    # shellcheck disable=SC2046
    "$release/tests/fuzz/replay_$target" "$root/tests/fuzz/corpus/$target" \
      $([[ -d "$build/corpus/$target" ]] && echo "$build/corpus/$target") $(seeds_of "$target")
  done
  exit 0
fi

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g" -DPIXED_SANITIZE=ON -DPIXED_FUZZ=ON -DPIXED_TESTS=OFF \
  -DPIXED_BENCH=OFF >/dev/null
cmake --build "$build" -j 2 --target "${targets[@]/#/fuzz_}"

symbolizer=$(command -v llvm-symbolizer-14 || command -v llvm-symbolizer || true)
if [[ -n "$symbolizer" ]]; then
  export ASAN_SYMBOLIZER_PATH=$symbolizer
fi
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
mkdir -p "$build/findings" "$build/logs"

run_target() {
  local target=$1
  local corpus=$build/corpus/$target
  mkdir -p "$corpus"
  # shellcheck disable=SC2046
  "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=64 \
    -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
    "$corpus" "$root/tests/fuzz/corpus/$target" $(seeds_of "$target") >"$build/logs/$target.log" 2>&1
}

echo "fuzz: ${targets[*]}, ${seconds} s each, ${jobs} at a time"
failed=()
running=()
names=()
finish_one() {
  local pid=${running[0]} name=${names[0]}
  running=("${running[@]:1}")
  names=("${names[@]:1}")
  if wait "$pid"; then
    local stats
    stats=$(grep -E '^stat::(number_of_executed_units|average_exec_per_sec|peak_rss_mb)' "$build/logs/$name.log" |
      sed 's/stat:://' | tr '\n' ' ')
    local coverage
    coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$build/logs/$name.log" | tail -1)
    echo "fuzz: $name passed: $stats$coverage"
  else
    echo "fuzz: $name FAILED, log $build/logs/$name.log:" >&2
    tail -40 "$build/logs/$name.log" >&2
    failed+=("$name")
  fi
}
for target in "${targets[@]}"; do
  run_target "$target" &
  running+=("$!")
  names+=("$target")
  if ((${#running[@]} >= jobs)); then
    finish_one
  fi
done
while ((${#running[@]} > 0)); do
  finish_one
done
if ((${#failed[@]} > 0)); then
  echo "fuzz: failed: ${failed[*]}; the inputs are in $build/findings (add each to tests/fuzz/corpus/<target>)" >&2
  exit 1
fi
echo "fuzz: no crash, no sanitizer report, no failed check"
