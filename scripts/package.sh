#!/usr/bin/env bash
# Makes the release files in FOLDER (./dist by default) and prints their names:
#   pixed_<version>_amd64.deb           the Debian package (cpack in a Release build), which must
#                                       pass lintian without errors; its warnings are printed
#   pixed-<version>-windows-x86_64.zip  the Windows program (cpack in the Windows build)
#   pixed-<version>-web.tar.gz          the site, once scripts/build.sh has a "web" build
# The version is CMake's project(VERSION). Builds are reused when they exist:
#   PIXED_PACKAGE_BUILD  the Release build of the package (default ./build-package)
#   PIXED_WIN32_BUILD    the Windows build (default ./build-win32)
#   PIXED_WEB_BUILD      the browser build (default ./build-web)
# Usage: scripts/package.sh [folder]
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=$(realpath -m "${1:-$root/dist}")
release=$(realpath -m "${PIXED_PACKAGE_BUILD:-$root/build-package}")
win32=$(realpath -m "${PIXED_WIN32_BUILD:-$root/build-win32}")
web=$(realpath -m "${PIXED_WEB_BUILD:-$root/build-web}")
jobs=${PIXED_JOBS:-2}

for tool in cpack help2man dpkg-shlibdeps lintian; do
  if ! command -v "$tool" >/dev/null; then
    echo "package: $tool is missing (scripts/install-deps.sh installs it)" >&2
    exit 1
  fi
done
# The manual pages carry the date of the last commit, so the same sources make the same pages.
if [[ -z "${SOURCE_DATE_EPOCH:-}" ]] && stamp=$(git -C "$root" log -1 --format=%ct 2>/dev/null); then
  export SOURCE_DATE_EPOCH=$stamp
fi

# A build folder already configured is built as it is configured (the test build keeps its
# Windows build with warnings as errors); a new one is made by scripts/build.sh.
if [[ -f "$release/CMakeCache.txt" ]]; then
  cmake --build "$release" -j "$jobs"
else
  # Debian's build flags: hardened (stack protector, fortified calls, read-only relocations, PIE).
  # CMake reads no CPPFLAGS; they go with the compiler's flags.
  flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
  CXXFLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" LDFLAGS=$(flags LDFLAGS) bash "$root/scripts/build.sh" release "$release"
fi
if [[ -f "$win32/CMakeCache.txt" ]]; then
  cmake --build "$win32" -j "$jobs"
else
  bash "$root/scripts/build.sh" win32 "$win32" "$release/bitmaps"
fi

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$release/CPackConfig.cmake")
[[ -n "$version" ]] || { echo "package: no version in $release/CPackConfig.cmake" >&2; exit 1; }
deb=$out/pixed_${version}_amd64.deb
zip=$out/pixed-${version}-windows-x86_64.zip
tarball=$out/pixed-${version}-web.tar.gz
mkdir -p "$out"
rm -f "$deb" "$zip" "$tarball"

cpack --config "$release/CPackConfig.cmake" -B "$release/cpack" >"$release/cpack.log" ||
  { cat "$release/cpack.log" >&2; exit 1; }
mv "$release/cpack/$(basename "$deb")" "$deb"
cpack --config "$win32/CPackConfig.cmake" -B "$win32/cpack" >"$win32/cpack.log" ||
  { cat "$win32/cpack.log" >&2; exit 1; }
mv "$win32/cpack/$(basename "$zip")" "$zip"

# lintian: errors fail, warnings are shown. As root it adds a warning of its own about that.
lintian_log=$out/lintian.log
if ! lintian --fail-on error --display-level '>=warning' "$deb" >"$lintian_log" 2>&1; then
  cat "$lintian_log" >&2
  echo "package: lintian found errors in $deb" >&2
  exit 1
fi
grep -v 'running with root privileges' "$lintian_log" | sed 's/^/package: lintian: /' >&2 || true

# The site: the folder of static files that the browser build makes, once there is one.
if grep -qE '^[[:space:]]*([a-z0-9]+\|)*web(\|[a-z0-9]+)*\)' "$root/scripts/build.sh"; then
  # A new web build takes its generated sources and bitmaps from the Release build; one that exists
  # keeps the native build it was made with (the test build's, for its site).
  native=()
  [[ -f "$web/wasm/CMakeCache.txt" ]] || native=("$release")
  bash "$root/scripts/build.sh" web "$web" "${native[@]}"
  index=$(find "$web" -name index.html -not -path '*/CMakeFiles/*' -printf '%d %p\n' | sort -n | head -n 1 | cut -d' ' -f2-)
  [[ -n "$index" ]] || { echo "package: the web build made no index.html in $web" >&2; exit 1; }
  site=$(dirname "$index")
  tar -C "$site" --sort=name --owner=0 --group=0 --numeric-owner --mtime="@${SOURCE_DATE_EPOCH:-$(date +%s)}" \
    --transform "s,^\.,pixed-${version}-web," -cf - . | gzip -9n >"$tarball"
fi

for file in "$deb" "$zip" "$tarball"; do
  if [[ -f "$file" ]]; then
    echo "$file"
  fi
done
