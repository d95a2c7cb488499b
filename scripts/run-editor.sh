#!/usr/bin/env bash
# Installs what is missing, builds the editor (Release), installs it into the
# build folder's stage/ and starts it in ./run, where settings and pix files land.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${PIXED_BUILD_DIR:-$root/build-release}
work=${PIXED_RUN_DIR:-$root/run}

bash "$root/scripts/install-deps.sh"
bash "$root/scripts/build.sh" release "$build"

stage=$build/stage
cmake --install "$build" --prefix "$stage" >/dev/null
mkdir -p "$work"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run-editor: built $stage/bin/pixed, but there is no display to start it on (DISPLAY is unset)" >&2
  exit 1
fi
# The buttons come from the installed share/pixed; bitmaps put into the working
# folder are drawn instead.
echo "run-editor: starting pixed in $work (Escape or Quit ends it)"
exec "$stage/bin/pixed" "$work"
