#!/usr/bin/env bash
# What the real program costs while its images play (Enter) and nobody touches it: pixed's and the
# X server's share of one core, under a private Xvfb, the load file four images of 102 x 78.
#
#   bash bench/playing_cpu.sh PIXED BITMAP-FOLDER [SCREEN] [SECONDS] [RATE]
#
# PIXED is best a Release build; SCREEN defaults to 1920x1080, SECONDS to 10, RATE (images a
# second, 1 to 30) to 8, the rate playing starts at. Prints one line, and the load average, so
# that figures taken on a busy machine can be told apart. bench/idle_cpu.sh measures the idle
# program the same way.
set -euo pipefail

pixed=$(realpath "$1")
bitmaps=$2
screen=${3:-1920x1080}
seconds=${4:-10}
rate=${5:-8}
work=$(mktemp -d)
xvfb_pid=
pixed_pid=

cleanup() {
  set +e
  [[ -n "$pixed_pid" ]] && kill "$pixed_pid" 2>/dev/null
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

ticks() { sed 's/^.*) //' "/proc/$1/stat" 2>/dev/null | awk '{ print $12 + $13 }' || echo 0; }

# The settings files (test1.pix at 102 x 78), the button bitmaps and the X server.
# shellcheck source=run_folder.sh
source "$(dirname "${BASH_SOURCE[0]}")/run_folder.sh"
python3 -c 'import sys; open(sys.argv[1], "wb").write(b"".join(bytes([c]) * (102 * 78) for c in (20, 40, 60, 70)))' \
  "$work/test1.pix"

(cd "$work" && SDL_AUDIODRIVER=dummy exec "$pixed" >/dev/null 2>"$work/pixed.stderr") &
pixed_pid=$!
window=
for _ in $(seq 200); do
  window=$(xdotool search --onlyvisible --name '^DirectDraw Test for Game$' 2>/dev/null | head -n 1) && [[ -n "$window" ]] && break
  kill -0 "$pixed_pid" 2>/dev/null || { cat "$work/pixed.stderr" >&2; exit 1; }
  sleep 0.1
done
sleep 3 # start-up drawing done
xdotool windowfocus --sync "$window"
xdotool key Return
for ((r = 8; r < rate; r++)); do xdotool key plus; sleep 0.05; done
for ((r = 8; r > rate; r--)); do xdotool key minus; sleep 0.05; done
sleep 2

hz=$(getconf CLK_TCK)
pixed_before=$(ticks "$pixed_pid")
xvfb_before=$(ticks "$xvfb_pid")
sleep "$seconds"
pixed_after=$(ticks "$pixed_pid")
xvfb_after=$(ticks "$xvfb_pid")

share() { awk -v t=$(($2 - $1)) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.1f", 100 * t / hz / s }'; }
echo "playing at $rate a second, ${seconds} s at $screen: $(basename "$pixed") $(share "$pixed_before" "$pixed_after")% of a core, X server $(share "$xvfb_before" "$xvfb_after")%"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
