# What the real-program measurements share, sourced by idle_cpu.sh and wine_pass.sh: a working
# folder whose settings files keep start-up from showing messages, with the button bitmaps, and a
# private Xvfb of the size given (xvfb_pid, DISPLAY). Uses work, bitmaps and screen.
# shellcheck shell=bash

printf 'test1.pix' >"$work/SaveName.dat" && head -c 16 /dev/zero >>"$work/SaveName.dat"
cp "$work/SaveName.dat" "$work/LoadName.dat"
printf '\x66\x4e' >"$work/SaveSize.dat"
cp "$bitmaps"/*.bmp "$work"/

Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
  grep -q '^[0-9]' "$work/display" && break
  sleep 0.1
done
DISPLAY=:$(head -n 1 "$work/display")
export DISPLAY
unset WAYLAND_DISPLAY

# A new Wine prefix in the working folder unless WINEPREFIX names one (only for a .exe).
wine_prefix() {
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [[ -z "${WINEPREFIX:-}" ]]; then
    export WINEPREFIX=$work/prefix
    wineboot --init && wineserver -w
  fi
  WINEPREFIX=$(realpath "$WINEPREFIX")
  export WINEPREFIX
}
