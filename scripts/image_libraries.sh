#!/usr/bin/env bash
# Builds zlib, libpng and giflib, the libraries pixtool links on Linux, for the Windows program
# ("win32", with mingw-w64) or the browser's build ("web", with Emscripten), from Debian's own source
# packages with Debian's patches. The sources are fetched with apt-get source through deb-src
# entries made from this machine's own apt sources, in a private apt configuration in FOLDER/apt:
# the system's configuration and package lists are left as they are.
#
# FOLDER/prefix receives include/, lib/ (libz.a, libpng16.a, libgif.a), licences/ (each source
# package's Debian copyright file) and versions.txt. The sources are kept in FOLDER/sources, and a
# second run with the same recipe finds the libraries built and does nothing.
# Usage: scripts/image_libraries.sh win32|web FOLDER
set -euo pipefail

trap 'echo "image-libraries: failed at line $LINENO of $0" >&2' ERR
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
platform=${1:-}
[[ -n "${2:-}" ]] || { echo "usage: $0 win32|web FOLDER" >&2; exit 2; }
folder=$(realpath -m "$2")
jobs=${PIXED_JOBS:-2}
packages=(zlib libpng1.6 giflib)

case "$platform" in
  win32)
    host=x86_64-w64-mingw32
    cc=$(command -v "$host-gcc-posix" || command -v "$host-gcc" || true)
    [[ -n "$cc" ]] || { echo "image-libraries: no $host-gcc (g++-mingw-w64-x86-64)" >&2; exit 1; }
    ar=$host-ar
    ranlib=$host-ranlib
    cmake_configure=(cmake -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake")
    ;;
  web)
    cc=emcc
    ar=emar
    ranlib=emranlib
    # Emscripten's JavaScript optimiser finds its modules only through Debian's node, or this.
    export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
    # The SSE code would need WebAssembly's SIMD, which the site does not use.
    cmake_configure=(emcmake cmake -DPNG_HARDWARE_OPTIMIZATIONS=OFF)
    ;;
  *)
    echo "usage: $0 win32|web FOLDER" >&2
    exit 2
    ;;
esac

prefix=$folder/prefix
logs=$folder/logs
# The recipe is this script and the toolchain it drives: a change to either builds them again.
recipe=$( (cat "${BASH_SOURCE[0]}" "$root/cmake/mingw-w64-x86_64.cmake"; "$cc" --version 2>/dev/null | sed -n 1p) |
  sha256sum | cut -d' ' -f1)
stamp=$prefix/built.txt
if [[ -f "$stamp" && "$(sed -n 's/^recipe //p' "$stamp")" == "$recipe" ]]; then
  echo "image-libraries: zlib, libpng and giflib for $platform already built in $prefix"
  exit 0
fi
started=$SECONDS
mkdir -p "$logs"

# Runs a step with its output in a log, shown only when it fails.
run_logged() {
  local log=$logs/$1.log
  shift
  if ! "$@" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "image-libraries: failed: $* (all of it in $log)" >&2
    exit 1
  fi
}

# deb-src entries for every deb entry of the machine's own sources, one-line and deb822 alike.
write_source_entries() {
  local apt=$1 file
  rm -rf "$apt/sources.list.d"
  mkdir -p "$apt/sources.list.d"
  : >"$apt/sources.list"
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [[ -f "$file" ]] || continue
    sed -n 's/^[[:space:]]*deb\([[:space:]]\)/deb-src\1/p' "$file" >>"$apt/sources.list"
  done
  for file in /etc/apt/sources.list.d/*.sources; do
    [[ -f "$file" ]] || continue
    sed 's/^Types:.*$/Types: deb-src/' "$file" >"$apt/sources.list.d/$(basename "$file")"
  done
}

# The versions of a source package that the entries offer, newest first.
versions_newest_first() {
  local version sorted=() i
  while read -r version; do
    for ((i = ${#sorted[@]}; i > 0; --i)); do
      dpkg --compare-versions "${sorted[i - 1]}" ge "$version" && break
      sorted[i]=${sorted[i - 1]}
    done
    sorted[i]=$version
  done < <(apt-cache "${apt_options[@]}" showsrc "$1" | sed -n 's/^Version: //p' | sort -u)
  printf '%s\n' "${sorted[@]}"
}

# The newest version that can be had: an archive may list a source version (a security update)
# whose files it does not serve, and then the one before it is taken.
fetch_package() {
  local package=$1 into=$folder/sources/$1 version
  [[ -f "$into/fetched" ]] && return 0
  for version in $(versions_newest_first "$package"); do
    rm -rf "$into"
    mkdir -p "$into"
    if (cd "$into" && apt-get "${apt_options[@]}" source --download-only "$package=$version") \
      >>"$logs/fetch.log" 2>&1; then
      echo "$version" >"$into/fetched"
      return 0
    fi
    echo "image-libraries: $package $version could not be fetched; trying an older version" >&2
  done
  rm -rf "$into"
  tail -n 20 "$logs/fetch.log" >&2
  echo "image-libraries: no source package $package could be fetched (see $logs/fetch.log)" >&2
  exit 1
}

apt=$folder/apt
apt_options=(-q -o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/sources.list.d"
  -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o "APT::Sandbox::User=$(id -un)")
all_fetched() {
  local package
  for package in "${packages[@]}"; do
    [[ -f "$folder/sources/$package/fetched" ]] || return 1
  done
}
if ! all_fetched; then
  write_source_entries "$apt"
  mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial"
  : >"$logs/fetch.log"
  run_logged apt-update apt-get "${apt_options[@]}" update
  for package in "${packages[@]}"; do
    fetch_package "$package"
  done
fi

# Unpacked afresh, Debian's patches applied.
work=$folder/work
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix/include" "$prefix/lib" "$prefix/licences"
: >"$prefix/versions.txt"
for package in "${packages[@]}"; do
  dsc=$(find "$folder/sources/$package" -maxdepth 1 -name '*.dsc' | head -n 1)
  run_logged "unpack-$package" dpkg-source -x "$dsc" "$work/$package"
  cp "$work/$package/debian/copyright" "$prefix/licences/${package%1.6}.txt"
  echo "$package $(cat "$folder/sources/$package/fetched")" >>"$prefix/versions.txt"
done

# zlib's own configure, static only.
(
  cd "$work/zlib"
  export CC=$cc AR=$ar RANLIB=$ranlib CFLAGS=-O2
  [[ -n "${host:-}" ]] && export CHOST=$host
  run_logged zlib-configure ./configure --static --prefix="$prefix"
  run_logged zlib-build make -j "$jobs" libz.a
  run_logged zlib-install make install
)
# libpng's own CMake build, static only, over that zlib.
run_logged libpng-configure "${cmake_configure[@]}" -S "$work/libpng1.6" -B "$work/libpng-build" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_STATIC=ON \
  -DPNG_EXECUTABLES=OFF -DPNG_TESTS=OFF -DZLIB_LIBRARY="$prefix/lib/libz.a" -DZLIB_INCLUDE_DIR="$prefix/include"
run_logged libpng-build cmake --build "$work/libpng-build" -j "$jobs"
run_logged libpng-install cmake --install "$work/libpng-build"
# giflib's own Makefile, its static library alone (the utilities are not needed).
run_logged giflib-build make -C "$work/giflib" -j "$jobs" libgif.a CC="$cc" AR="$ar"
cp "$work/giflib/libgif.a" "$prefix/lib/"
cp "$work/giflib/gif_lib.h" "$prefix/include/"

rm -rf "$work"
echo "recipe $recipe" >"$stamp"
echo "image-libraries: built $(paste -sd, "$prefix/versions.txt" | sed 's/,/, /g') for $platform" \
  "in $((SECONDS - started)) s, in $prefix"
