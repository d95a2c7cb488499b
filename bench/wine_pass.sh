#!/usr/bin/env bash
# pixed_pass_bench.exe under Wine on a private Xvfb: the median main-loop pass with no input.
#
#   bash bench/wine_pass.sh PASS-BENCH-EXE BITMAP-FOLDER [SCREEN] [RENDERER] [ARGUMENTS...]
#
# SCREEN defaults to 1920x1080; RENDERER is Wine's DirectDraw renderer, "default" (OpenGL) or
# "gdi", set in the prefix for this run only; ARGUMENTS go to the program (--exclusive). The
# prefix is WINEPREFIX's (a new one in a temporary folder when unset); PIXED_PASSES passes (300).
set -euo pipefail

bench=$(realpath "$1")
bitmaps=$2
screen=${3:-1920x1080}
renderer=${4:-default}
shift $(($# < 4 ? $# : 4))
work=$(mktemp -d)
xvfb_pid=
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# Every step is tried, whatever the one before did.
cleanup() {
  set +e
  if [[ "$renderer" == gdi ]]; then
    wine reg delete 'HKCU\Software\Wine\Direct3D' /v renderer /f >/dev/null 2>&1 || true
  fi
  timeout 20 wineserver -w 2>/dev/null || wineserver -k 2>/dev/null || true
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# shellcheck source=run_folder.sh
source "$(dirname "${BASH_SOURCE[0]}")/run_folder.sh"

wine_prefix
if [[ "$renderer" == gdi ]]; then
  wine reg add 'HKCU\Software\Wine\Direct3D' /v renderer /d gdi /f >/dev/null
fi
(cd "$work" && timeout 300 wine "$bench" "$@" 2>/dev/null | grep 'main-loop pass')
echo "renderer $renderer, screen $screen, load average: $(cut -d' ' -f1-3 /proc/loadavg)"
