#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing pixed need, when missing.
set -euo pipefail

packages=(
  build-essential g++ cmake pkg-config
  libsdl2-dev libasound2-dev libgtest-dev googletest libbenchmark-dev libpng-dev libgif-dev zlib1g-dev
  console-setup-linux
  xvfb xauth xdotool imagemagick x11-utils
  clang-format
  clang-14
  libclang-rt-14-dev
  llvm-14
  g++-mingw-w64-x86-64
  gcc-mingw-w64-x86-64-posix
  wine
  wine64
  fonts-wine
  libgl1-mesa-dri
  dpkg-dev file help2man lintian appstream desktop-file-utils man-db unzip
  # apt-get source and dpkg-source, for zlib's, libpng's and giflib's sources (scripts/image_libraries.sh)
  apt bzip2 xz-utils patch make
  python3
  emscripten
  chromium
)

# Node.js and npm for the browser checks' driver: Debian's, unless a node of another source is there.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  packages+=(nodejs npm)
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  if [[ "$status" != "install ok installed" ]]; then
    missing+=("$package")
  fi
done

# The browser checks' driver, pinned by tests/web/package-lock.json, with the system's Chromium
# (it never downloads a browser of its own).
install_browser_driver() {
  local folder
  folder=$(cd "$(dirname "${BASH_SOURCE[0]}")/../tests/web" && pwd)
  if ! cmp -s "$folder/package-lock.json" "$folder/node_modules/.pixed-lock.json"; then
    echo "install-deps: npm ci in $folder"
    (cd "$folder" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund)
    cp "$folder/package-lock.json" "$folder/node_modules/.pixed-lock.json"
  fi
}

if ((${#missing[@]} == 0)); then
  echo "install-deps: all ${#packages[@]} packages present"
  install_browser_driver
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo=()
if ((EUID != 0)); then
  if ! command -v sudo >/dev/null; then
    echo "install-deps: not root and no sudo; install as root: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
install_browser_driver
