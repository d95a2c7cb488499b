#!/usr/bin/env bash
# What the real program costs while nobody touches it: pixed and the X server's
# share of one core over a stretch with no input, under a private Xvfb.
#
#   bash bench/idle_cpu.sh PIXED BITMAP-FOLDER [SCREEN] [SECONDS] [ARGUMENTS...]
#
# PIXED is best a Release build (scripts/build.sh release: build-release/pixed);
# SCREEN defaults to 1920x1080, SECONDS to 10; ARGUMENTS go to the program. A
# pixed.exe runs under Wine in the prefix WINEPREFIX names (a new one in a
# temporary folder when unset), and Wine's own processes of that prefix
# (wineserver, services, explorer, ...) are counted with it. Prints one line per
# process group and the load average, so that figures taken on a busy machine
# can be told apart.
set -euo pipefail

pixed=$(realpath "$1")
bitmaps=$2
screen=${3:-1920x1080}
seconds=${4:-10}
shift $(($# < 4 ? $# : 4))
work=$(mktemp -d)
xvfb_pid=
pixed_pid=
wine=
[[ "$pixed" == *.exe ]] && wine=1

# Every step is tried, whatever the one before did (the program may have ended already).
cleanup() {
  set +e
  [[ -n "$pixed_pid" ]] && kill "$pixed_pid" 2>/dev/null
  [[ -n "$wine" ]] && { timeout 20 wineserver -w 2>/dev/null || wineserver -k 2>/dev/null; }
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# utime + stime of a process, in clock ticks (fields 14 and 15 of its stat line,
# counted after the command name, which may hold spaces).
ticks() { sed 's/^.*) //' "/proc/$1/stat" 2>/dev/null | awk '{ print $12 + $13 }' || echo 0; }
# The processes of the Wine prefix (they all carry it in their environment), but pixed itself.
wine_pids() {
  local environ pid
  for environ in /proc/[0-9]*/environ; do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    [[ "$pid" != "$pixed_pid" ]] || continue
    if { tr '\0' '\n' <"$environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
    fi
  done
}
# The summed ticks of the processes given.
sum_ticks() {
  local total=0 pid
  for pid in "$@"; do
    total=$((total + $(ticks "$pid")))
  done
  echo "$total"
}

# The settings files, so that start-up shows no messages; the button bitmaps.
# shellcheck source=run_folder.sh
source "$(dirname "${BASH_SOURCE[0]}")/run_folder.sh"

if [[ -n "$wine" ]]; then
  wine_prefix
  (cd "$work" && exec wine "$pixed" "$@" >/dev/null 2>"$work/pixed.stderr") &
else
  (cd "$work" && SDL_AUDIODRIVER=dummy exec "$pixed" "$@" >/dev/null 2>"$work/pixed.stderr") &
fi
pixed_pid=$!
for _ in $(seq 200); do
  xdotool search --onlyvisible --name '^DirectDraw Test for Game$' >/dev/null 2>&1 && break
  kill -0 "$pixed_pid" 2>/dev/null || { cat "$work/pixed.stderr" >&2; exit 1; }
  sleep 0.1
done
sleep 3 # start-up drawing done

hz=$(getconf CLK_TCK)
helpers=()
[[ -n "$wine" ]] && mapfile -t helpers < <(wine_pids)
pixed_before=$(ticks "$pixed_pid")
xvfb_before=$(ticks "$xvfb_pid")
helpers_before=$(sum_ticks "${helpers[@]}")
sleep "$seconds"
pixed_after=$(ticks "$pixed_pid")
xvfb_after=$(ticks "$xvfb_pid")
helpers_after=$(sum_ticks "${helpers[@]}")

share() { awk -v t=$(($2 - $1)) -v hz="$hz" -v s="$seconds" 'BEGIN { printf "%.1f", 100 * t / hz / s }'; }
line="idle ${seconds} s at $screen: $(basename "$pixed") $(share "$pixed_before" "$pixed_after")% of a core,"
if [[ -n "$wine" ]]; then
  line+=" Wine's ${#helpers[@]} processes $(share "$helpers_before" "$helpers_after")%,"
  line+=" together $(share $((pixed_before + helpers_before)) $((pixed_after + helpers_after)))%,"
fi
echo "$line X server $(share "$xvfb_before" "$xvfb_after")%"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
