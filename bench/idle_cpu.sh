#!/usr/bin/env bash
# What the real program costs while nobody touches it: pixed and the X server's
# share of one core over a stretch with no input, under a private Xvfb.
#
#   bash bench/idle_cpu.sh PIXED BITMAP-FOLDER [SCREEN] [SECONDS]
#
# PIXED is best a Release build (scripts/build.sh release: build-release/pixed);
# SCREEN defaults to 1920x1080, SECONDS to 10. Prints one line per process and the
# load average, so that figures taken on a busy machine can be told apart.
set -euo pipefail

pixed=$(realpath "$1")
bitmaps=$2
screen=${3:-1920x1080}
seconds=${4:-10}
work=$(mktemp -d)
xvfb_pid=
pixed_pid=

cleanup() {
  [[ -n "$pixed_pid" ]] && kill "$pixed_pid" 2>/dev/null
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# utime + stime of a process, in clock ticks (fields 14 and 15 of its stat line,
# counted after the command name, which may hold spaces).
ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }

# The settings files, so that start-up shows no messages; the button bitmaps.
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

(cd "$work" && SDL_AUDIODRIVER=dummy exec "$pixed" >/dev/null 2>"$work/pixed.stderr") &
pixed_pid=$!
for _ in $(seq 200); do
  xdotool search --onlyvisible --name '^DirectDraw Test for Game$' >/dev/null 2>&1 && break
  kill -0 "$pixed_pid" 2>/dev/null || { cat "$work/pixed.stderr" >&2; exit 1; }
  sleep 0.1
done
sleep 2 # start-up drawing done

hz=$(getconf CLK_TCK)
pixed_before=$(ticks "$pixed_pid")
xvfb_before=$(ticks "$xvfb_pid")
sleep "$seconds"
pixed_after=$(ticks "$pixed_pid")
xvfb_after=$(ticks "$xvfb_pid")

share() { awk -v t=$(($2 - $1)) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.1f", 100 * t / hz / s }'; }
echo "idle ${seconds} s at $screen: pixed $(share "$pixed_before" "$pixed_after")% of a core," \
  "X server $(share "$xvfb_before" "$xvfb_after")%"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
