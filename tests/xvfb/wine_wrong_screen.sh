#!/usr/bin/env bash
# pixed.exe --exclusive on an X server that is not 800 x 600: Wine cannot set the display mode, so
# the program must end at once with status 1, say why, and write no settings files. (Without the
# option it starts on any screen: large_screen.sh, wine_desktop.sh.)
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

start_xvfb 1024x768
PIXED_ARGS=--exclusive start_pixed # no settings files: a run that went on would write them at its end
wait_exit 30
((PIXED_STATUS == 1)) || fail "pixed.exe --exclusive exited with status $PIXED_STATUS on a 1024 x 768 screen, expected 1"
grep -q 'could not start: SetDisplayMode failed' "$TEST_DIR/pixed.stderr" ||
  fail "pixed.exe did not say that the display mode could not be set"
leftover=$(find "$WORK" -name '*.dat')
[[ -z "$leftover" ]] || fail "pixed.exe wrote settings files although it could not start: $leftover"
note "PASS: --exclusive on 1024 x 768: status 1, the reason on stderr, no settings files"
