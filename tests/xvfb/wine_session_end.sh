#!/usr/bin/env bash
# pixed.exe when the session ends (Wine's "wineboot --end-session", as Windows logging off) while a
# keyboard entry waits: the entry gives up, the program ends with status 0 and writes its settings.
# shellcheck source=lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

start_xvfb
write_default_settings
copy_bitmaps
start_pixed
wait_window
focus_window
move 401 301
# Read at the start; only a program that ends in order writes them again. The status line shows
# once start-up is over: a slow start may still be reading them before that.
status_shown() {
  shot started
  [[ " $(colours_in "$SHOT" 12 572 144 16) " == *" FFFFFF "* ]]
}
wait_until 30 0.1 status_shown || fail "the editor did not finish starting ($SHOT)"
rm "$WORK"/*.dat
move 205 511 # Load: its entry waits for a number
entry_open() {
  shot entry
  [[ " $(colours_in "$SHOT" 420 470 152 16) " == *" FF0000 "* ]]
}
xdotool mousedown 1
wait_until 30 0.1 entry_open || fail "the Load entry did not open ($SHOT)"
xdotool mouseup 1
note "the Load entry waits; ending the session"
timeout 60 wineboot --end-session || note "wineboot --end-session ended with status $?"
wait_exit 30
((PIXED_STATUS == 0)) || fail "pixed.exe exited with status $PIXED_STATUS when the session ended, expected 0"
expect_bytes "$WORK/SaveName.dat" "$(name_file_bytes test1.pix)"
expect_bytes "$WORK/LoadName.dat" "$(name_file_bytes test1.pix)"
expect_bytes "$WORK/SaveSize.dat" "66 4e"
note "PASS: the entry gave up, status 0, settings written"
