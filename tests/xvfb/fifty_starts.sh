#!/usr/bin/env bash
# The real program started and ended 50 times in a row under one X server: every
# start shows its window, and Escape ends it with status 0. Between two runs the
# server has no client left and resets itself, dropping whoever connects at that
# moment; X clients started in the background meanwhile make that moment come
# often, as it did for pixed now and then.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

STARTS=${PIXED_STARTS:-50}

start_xvfb
write_default_settings # no settings messages: every start is quick
copy_bitmaps

# Short-lived X clients, one after another, while pixed is not yet connected.
CHURN_PID=
churn_start() {
  (while :; do xdpyinfo >/dev/null 2>&1; done) &
  CHURN_PID=$!
}
churn_stop() {
  if [[ -n "$CHURN_PID" ]]; then
    kill "$CHURN_PID" 2>/dev/null || true
    wait "$CHURN_PID" 2>/dev/null || true
    CHURN_PID=
  fi
}
cleanup_check() { churn_stop; }

for ((run = 1; run <= STARTS; run++)); do
  # The leak check at exit takes a while; the first and the last run have it.
  if ((run == 1 || run == STARTS)); then
    export ASAN_OPTIONS=detect_leaks=1
  else
    export ASAN_OPTIONS=detect_leaks=0
  fi
  churn_start
  sleep 0.05
  start_pixed
  wait_until 20 0.05 window_up || fail "start $run: no window titled \"$TITLE\" within 20 s"
  churn_stop
  focus_window
  xdotool key Escape
  wait_exit 15
  ((PIXED_STATUS == 0)) || fail "start $run: pixed exited with status $PIXED_STATUS, expected 0"
done
note "PASS: $STARTS starts, each with its window, each ended by Escape with status 0"
