#!/usr/bin/env bash
# Installs what is missing, builds the editor (Release) and starts it in ./run,
# a working folder holding the button bitmaps; settings and pix files land there.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${PIXED_BUILD_DIR:-$root/build-release}
work=${PIXED_RUN_DIR:-$root/run}

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" release "$build"

stage=$build/stage
cmake --install "$build" --prefix "$stage" >/dev/null
mkdir -p "$work"
shopt -s nullglob
bitmaps=("$stage"/share/pixed/*.bmp)
if ((${#bitmaps[@]} == 0)); then
  echo "run-editor: no button bitmaps were installed into $stage/share/pixed" >&2
  exit 1
fi
# Fresh bitmaps on every start; the user's settings and pix files are left alone.
cp -f "${bitmaps[@]}" "$work"/

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run-editor: built $stage/bin/pixed, but there is no display to start it on (DISPLAY is unset)" >&2
  exit 1
fi
echo "run-editor: starting pixed in $work (Escape or Quit ends it)"
cd "$work"
exec "$stage/bin/pixed"
