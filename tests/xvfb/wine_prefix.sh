#!/usr/bin/env bash
# Makes the Wine prefix that the checks of pixed.exe share in one test run (about 8 s and 700 MB).
# Usage: wine_prefix.sh PREFIX
set -euo pipefail

prefix=$(realpath -m "$1")
for tool in wine wineboot wineserver; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/install-deps.sh installs wine and wine64)"
    exit 77
  fi
done

export WINEPREFIX=$prefix WINEDEBUG=-all
# Without Mono and Gecko, which the prefix would otherwise offer to download.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
rm -rf "$prefix"
mkdir -p "$(dirname "$prefix")"
started=$SECONDS
# Wine's DirectDraw keeps its default renderer, OpenGL (Mesa's software one on Xvfb): its other
# one, through GDI, shows the screen only when the program takes messages, so the start-up's
# messages, drawn between pauses, would never be seen.
wineboot --init
wineserver -w
[[ -f "$prefix/system.reg" ]] || { echo "FAIL: wineboot made no prefix in $prefix" >&2; exit 1; }
echo "Wine prefix $prefix made in $((SECONDS - started)) s"
