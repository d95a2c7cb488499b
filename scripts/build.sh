#!/usr/bin/env bash
# Configures and builds pixed: "release" (the editor alone, optimised), "test"
# (everything, with AddressSanitizer + UndefinedBehaviorSanitizer, warnings as errors)
# "win32" (pixed.exe for Windows, cross-built with mingw-w64, with its button bitmaps)
# or "web" (the editor in a browser tab, built with Emscripten: a static site in build-folder/site).
# The win32 and web builds also build zlib, libpng and giflib from Debian's source packages, once
# for each build folder (scripts/image_libraries.sh, into image-libraries/ of the cross build).
# Usage: scripts/build.sh release|test [build-folder]
#        scripts/build.sh win32 [build-folder [bitmap-folder]]
#        scripts/build.sh web [build-folder [native-build-folder]]
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
  web)
    build=${2:-$root/build-web}
    native=${3:-}
    # The generated sources and the button bitmaps are made by a native build: the one given, else
    # the one this folder was last built with (the test build's, for its site), else its own.
    if [[ -z "$native" && -f "$build/wasm/CMakeCache.txt" ]]; then
      native=$(sed -n 's/^PIXED_NATIVE_DIR:PATH=//p' "$build/wasm/CMakeCache.txt")
      [[ -f "$native/generated/font_data.cpp" && -d "$native/bitmaps" ]] || native=
    fi
    if [[ -z "$native" ]]; then
      native=$build/native
      cmake -S "$root" -B "$native" -DCMAKE_BUILD_TYPE=Release -DPIXED_SANITIZE=OFF -DPIXED_WERROR=OFF \
        -DPIXED_TESTS=OFF -DPIXED_BENCH=OFF
      # One after the other: both carry the font's rule.
      cmake --build "$native" --target pixed_generated_sources -j "$jobs"
      cmake --build "$native" --target button_bitmaps -j "$jobs"
    fi
    # Emscripten's JavaScript optimiser finds its modules only through Debian's node, or this.
    export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
    # Warnings as errors as asked, else as this folder was last configured.
    emcmake cmake -S "$root" -B "$build/wasm" -DCMAKE_BUILD_TYPE=Release ${PIXED_WERROR:+-DPIXED_WERROR=$PIXED_WERROR} \
      -DPIXED_NATIVE_DIR="$(realpath "$native")" -DPIXED_SITE_DIR="$(realpath -m "$build/site")"
    cmake --build "$build/wasm" -j "$jobs"
    echo "build: the site is in $build/site"
    exit 0
    ;;
  *)
    echo "usage: $0 release|test|win32|web [build-folder]" >&2
    exit 2
    ;;
esac

cmake --build "$build" -j "$jobs"
