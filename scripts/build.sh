#!/usr/bin/env bash
# Configures and builds pixed: "release" (the editor alone, optimised), "test"
# (everything, with AddressSanitizer + UndefinedBehaviorSanitizer, warnings as errors)
# or "win32" (pixed.exe for Windows, cross-built with mingw-w64, with its button bitmaps).
# Usage: scripts/build.sh release|test [build-folder]
#        scripts/build.sh win32 [build-folder [bitmap-folder]]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
kind=${1:-}
jobs=${PIXED_JOBS:-2}

case "$kind" in
  release)
    # Warnings are the test build's gate; the optimiser adds false alarms of its own
    # (g++ 12's -Wrestrict in std::string) that must not keep a user from the editor.
    build=${2:-$root/build-release}
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DPIXED_SANITIZE=OFF -DPIXED_WERROR=OFF \
      -DPIXED_TESTS=OFF -DPIXED_BENCH=OFF
    ;;
  test)
    build=${2:-$root/build-tests}
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DPIXED_SANITIZE=ON -DPIXED_WERROR=ON \
      -DPIXED_TESTS=ON -DPIXED_BENCH=ON
    ;;
  win32)
    build=${2:-$root/build-win32}
    bitmaps=${3:-}
    # The button bitmaps are drawn by a native build of the generator.
    if [[ -z "$bitmaps" ]]; then
      cmake -S "$root" -B "$build/native" -DCMAKE_BUILD_TYPE=Release -DPIXED_SANITIZE=OFF -DPIXED_WERROR=OFF \
        -DPIXED_TESTS=OFF -DPIXED_BENCH=OFF
      cmake --build "$build/native" --target button_bitmaps -j "$jobs"
      bitmaps=$build/native/bitmaps
    fi
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DPIXED_WERROR="${PIXED_WERROR:-OFF}" -DPIXED_BITMAP_DIR="$bitmaps"
    ;;
  *)
    echo "usage: $0 release|test|win32 [build-folder]" >&2
    exit 2
    ;;
esac

cmake --build "$build" -j "$jobs"
