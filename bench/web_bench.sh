#!/usr/bin/env bash
# The site's figures beside the headless native pass of the same sitting, round after round: a
# Release build's BM_IdlePass (processor and wall time), then the page in headless Chromium (its
# first screen, its idle share of a core, the busy median of its idle passes).
# Usage: bench/web_bench.sh SITE-FOLDER PIXED-BENCH [ROUNDS [PASSES]]
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
site=$(realpath "$1")
bench=$(realpath "$2")
rounds=${3:-3}
passes=${4:-2000}
chromium=${PIXED_CHROMIUM:-/usr/bin/chromium}
log=$(mktemp)
python3 -m http.server 0 --bind 127.0.0.1 --directory "$site" >"$log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true; rm -f "$log"' EXIT
for _ in $(seq 50); do grep -q 'port [0-9]' "$log" && break; sleep 0.1; done
port=$(sed -n 's/.* port \([0-9]*\).*/\1/p' "$log" | head -n 1)

echo "site: $(du -sb "$site" | cut -f1) bytes"
for round in $(seq "$rounds"); do
  native=$("$bench" --benchmark_filter='BM_IdlePass/history:1/' --benchmark_format=csv 2>/dev/null |
    awk -F, '/BM_IdlePass.*_median/ { printf "%.1f %.1f", $3, $4 }')
  read -r wall cpu <<<"$native"
  page=$(node "$here/web_bench.mjs" "http://127.0.0.1:$port/" "$chromium" "$passes")
  busy=$(awk '/^pass-busy-us/ { print $2 }' <<<"$page")
  echo "round $round: BM_IdlePass ${wall} us wall, ${cpu} us processor; page: pass busy ${busy} us" \
    "($(awk -v b="$busy" -v c="$cpu" 'BEGIN { printf "%.2f", b / c }') x processor)," \
    "first screen $(awk '/^first-screen-ms/ { print $2 }' <<<"$page") ms," \
    "idle $(awk '/^idle-percent/ { print $2 }' <<<"$page") % of a core; load $(cut -d' ' -f1 /proc/loadavg)"
done
